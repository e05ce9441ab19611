// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "verification/revision_scanner.h"

namespace yz {

// A stretch of the file: `length` bytes from `start`.
struct FileSpan {
  qint64 start = 0;
  qint64 length = 0;
};

// What one read of the whole file gives: each signature's SHA-256 over its spans, and where
// every revision ends.
struct FilePassResult {
  std::vector<QByteArray> digests;  // one per span list asked for, in order
  std::vector<RevisionScanner::Revision> revisions;
};

// Reads the file behind `descriptor` (of `size` bytes) once, from start to end, a fixed-size
// chunk at a time, however many signatures it holds: memory stays the same for any file size.
// Every span must lie within the file. Throws Failure when the file cannot be read or is
// shorter than it was.
FilePassResult ReadFileOnce(int descriptor, qint64 size,
                            const std::vector<std::vector<FileSpan>>& signedSpans,
                            const QString& path);

}  // namespace yz
