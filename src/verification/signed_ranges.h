// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "verification/file_pass.h"

namespace yz {

// The two stretches of the file a signature's /ByteRange names, once they are known to be
// what a signature's ranges must be: from the file's first byte to its /Contents, and from
// after it to at most the file's end.
struct SignedRanges {
  QString problem;  // why they are not, in the user's words; empty when they are
  std::vector<FileSpan> spans;
  FileSpan gap;  // what lies between: the /Contents string, brackets included
};

SignedRanges CheckByteRange(const std::vector<qint64>& byteRange, qint64 fileSize);

// Reads the gap from the file and checks that it holds exactly the signature's /Contents as a
// hexadecimal string; returns the problem in the user's words, or nothing.
QString CheckGapHoldsContents(int descriptor, const FileSpan& gap, const QByteArray& contents);

// The DER object at the start of `contents`, without the zeros that pad a signature's
// placeholder; the whole when its length cannot be read (the CMS reader then says why).
QByteArray DerObject(const QByteArray& contents);

}  // namespace yz
