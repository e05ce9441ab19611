// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace yz {

// A signature's /Contents string inside an update, from its '<' to its '>': left out of the
// hash and filled in once the signature over everything else is made.
struct SignatureGap {
  qint64 at = 0;      // offset of the '<' in the update's bytes
  qint64 length = 0;  // up to and including the '>'
};

// Makes the signature (DER) over the SHA-256 digest of the signed bytes. Throws Failure.
using SignDigest = std::function<QByteArray(const QByteArray& sha256Digest)>;
// Reads the whole written file back (at `path`, before it takes the output's name) and returns
// why it cannot be used, or an empty text.
using CheckWritten = std::function<QString(const QString& path)>;
// Told how many bytes of the original have been copied; returning false stops, nothing written.
using CopyProgress = std::function<bool(qint64 done, qint64 total)>;

// Thrown by WriteAppended when the progress callback said stop.
struct AppendStopped {};

// Writes the original's first `originalSize` bytes followed by `update` to `output` through the
// atomic write: read once, in chunks, never whole in memory. With a gap, everything but the gap
// is hashed on the way and the signature is written into it, in hex, padded with zeros. The
// finished file is checked before it is put in place. Throws Failure with the reason (the
// output is then as it was).
void WriteAppended(const QString& original, qint64 originalSize, const QByteArray& update,
                   const QString& output, const std::optional<SignatureGap>& gap = {},
                   const SignDigest& sign = {}, const CopyProgress& progress = {},
                   const CheckWritten& check = {});

}  // namespace yz
