// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "verification/signed_ranges.h"

#include <cctype>
#include <cerrno>
#include <unistd.h>

namespace yz {

SignedRanges CheckByteRange(const std::vector<qint64>& r, qint64 fileSize) {
  SignedRanges ranges;
  if (r.size() != 4) {
    ranges.problem = QStringLiteral("签名的 /ByteRange 有 %1 个数，应是两段的起点和长度共 4 个数")
                         .arg(r.size());
    return ranges;
  }
  if (r[0] != 0) {
    ranges.problem = QStringLiteral("签名的范围不从文件开头算起（/ByteRange 从 %1 开始）").arg(r[0]);
    return ranges;
  }
  for (qint64 n : r)
    if (n < 0 || n > fileSize) {
      ranges.problem = QStringLiteral("签名的范围超出了文件（/ByteRange 里的 %1，文件只有 %2 字节）")
                           .arg(n)
                           .arg(fileSize);
      return ranges;
    }
  // "<>" is the least a gap can be: an empty string.
  if (r[2] < r[1] + 2 || r[3] > fileSize - r[2]) {
    ranges.problem = QStringLiteral("签名的两段范围重叠、相接或超出文件（/ByteRange [%1 %2 %3 %4]）")
                         .arg(r[0])
                         .arg(r[1])
                         .arg(r[2])
                         .arg(r[3]);
    return ranges;
  }
  ranges.spans = {{r[0], r[1]}, {r[2], r[3]}};
  ranges.gap = {r[1], r[2] - r[1]};
  return ranges;
}

QString CheckGapHoldsContents(int descriptor, const FileSpan& gap, const QByteArray& contents) {
  const QString notContents = QStringLiteral("签名范围之间的空隙不正是签名值（/Contents），签名可能被挪动过");
  // Sized from what the library already holds, so a forged gap cannot make us read much.
  if (gap.length != 2 * qint64(contents.size()) + 2) return notContents;
  QByteArray text(gap.length, Qt::Uninitialized);
  qint64 got = 0;
  while (got < gap.length) {
    const ssize_t n = ::pread(descriptor, text.data() + got, size_t(gap.length - got), gap.start + got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return QStringLiteral("读不出签名值");
    got += n;
  }
  if (!text.startsWith('<') || !text.endsWith('>')) return notContents;
  const QByteArray hex = text.mid(1, text.size() - 2);
  for (char c : hex)
    if (!std::isxdigit(static_cast<unsigned char>(c))) return notContents;
  if (QByteArray::fromHex(hex) != contents) return notContents;
  return {};
}

QByteArray DerObject(const QByteArray& contents) {
  if (contents.size() < 2) return contents;
  const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(contents[i]); };
  qint64 length = byte(1);
  qsizetype header = 2;
  if (length & 0x80) {
    const int count = length & 0x7f;
    if (count == 0 || count > 4 || contents.size() < 2 + count) return contents;  // indefinite or huge
    length = 0;
    for (int i = 0; i < count; ++i) length = (length << 8) | byte(2 + i);
    header += count;
  }
  if (header + length > contents.size()) return contents;
  return contents.left(header + length);
}

}  // namespace yz
