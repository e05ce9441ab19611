// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/mod_pub.h"

#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <algorithm>
#include <cerrno>
#include <iconv.h>

#include "seams/message_box.h"

namespace modPub {

QString AppPathFor(const QString& executableDir) {
  QString path = executableDir;
  while (path.size() > 1 && path.endsWith('/')) path.chop(1);
  if (!path.endsWith('/')) path += '/';
  return path;
}

namespace {

// Code page 936 is GBK: single bytes below 0x80, 0x80 for the euro sign, and pairs of a lead byte
// 81–FE with a trail byte 40–7E or 80–FE. GB18030 also has four-byte sequences, which code page
// 936 does not, so the bytes are first rewritten into the part both share: a lead byte without a
// valid trail byte, and a lone FF, become U+FFFD (in its GB18030 form) one byte at a time, and
// what follows is read afresh.
QByteArray ToSharedSubset(const QByteArray& bytes) {
  static const QByteArray kReplacement("\x84\x31\xA4\x37");
  static const QByteArray kEuro("\xA2\xE3");
  const auto isTrail = [](uchar b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE); };
  QByteArray shared;
  shared.reserve(bytes.size() + bytes.size() / 4);
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const uchar b = uchar(bytes[i]);
    if (b < 0x80) {
      shared += char(b);
    } else if (b == 0x80) {
      shared += kEuro;
    } else if (b < 0xFF && i + 1 < bytes.size() && isTrail(uchar(bytes[i + 1]))) {
      shared += char(b);
      shared += bytes[++i];
    } else {
      shared += kReplacement;
    }
  }
  return shared;
}

// Code page 936 keeps 25 codes in the private-use area that later GB18030 editions (and so
// glibc) give standard characters, six of them beyond 16 bits, which would shift every position
// after them in the table. With the four-byte sequences gone, only those codes decode to these
// characters, so they are mapped back one to one.
struct MovedCode {
  char32_t standard;
  char16_t privateUse;
};
constexpr MovedCode kMovedCodes[] = {
    {0xFE10, 0xE78D},  {0xFE12, 0xE78E},  {0xFE11, 0xE78F},  {0xFE13, 0xE790},  {0xFE14, 0xE791},
    {0xFE15, 0xE792},  {0xFE16, 0xE793},  {0xFE17, 0xE794},  {0xFE18, 0xE795},  {0xFE19, 0xE796},
    {0x1E3F, 0xE7C7},  {0x20087, 0xE816}, {0x20089, 0xE817}, {0x200CC, 0xE818}, {0x9FB4, 0xE81E},
    {0x9FB5, 0xE826},  {0x9FB6, 0xE82B},  {0x9FB7, 0xE82C},  {0x215D7, 0xE831}, {0x9FB8, 0xE832},
    {0x2298F, 0xE83B}, {0x9FB9, 0xE843},  {0x9FBA, 0xE854},  {0x241FE, 0xE855}, {0x9FBB, 0xE864}};

QString WithMovedCodesInPrivateUse(const QString& decoded) {
  QString text;
  text.reserve(decoded.size());
  for (qsizetype i = 0; i < decoded.size(); ++i) {
    const bool pair = decoded[i].isHighSurrogate() && i + 1 < decoded.size() &&
                      decoded[i + 1].isLowSurrogate();
    const char32_t c = pair ? QChar::surrogateToUcs4(decoded[i], decoded[i + 1]) : decoded[i].unicode();
    const MovedCode* moved = std::find_if(std::begin(kMovedCodes), std::end(kMovedCodes),
                                          [c](const MovedCode& m) { return m.standard == c; });
    if (moved != std::end(kMovedCodes)) {
      text += QChar(moved->privateUse);
    } else {
      text += decoded[i];
      if (pair) text += decoded[i + 1];
    }
    if (pair) ++i;
  }
  return text;
}

}  // namespace

// glibc's GB18030 decoder gives code page 936's two-byte mapping, but for the moved codes above,
// user-defined areas included (AAA1–AFFE, F8A1–FEFE, A140–A7A0 land in the private-use area),
// which the compound-surname table relies on for its substitute glyphs. Anything it still cannot
// decode becomes U+FFFD, one byte at a time, so a damaged table still loads.
QString DecodeCodePage936(const QByteArray& raw) {
  QString text;
  if (raw.isEmpty()) return text;
  const QByteArray bytes = ToSharedSubset(raw);
  // QChar holds UTF-16 in host order.
  iconv_t cd = iconv_open(QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE",
                          "GB18030");
  if (cd == reinterpret_cast<iconv_t>(-1)) return QString::fromLatin1(raw);
  text.reserve(bytes.size());
  char* in = const_cast<char*>(bytes.constData());
  size_t inLeft = size_t(bytes.size());
  char buffer[4096];
  while (inLeft > 0) {
    char* out = buffer;
    size_t outLeft = sizeof buffer;
    const size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
    text.append(reinterpret_cast<const QChar*>(buffer), int((out - buffer) / 2));
    if (result == size_t(-1) && errno != E2BIG) {
      // EILSEQ: an invalid sequence; EINVAL: a sequence cut off at the end.
      text.append(QChar(0xFFFD));
      ++in;
      --inLeft;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return WithMovedCodesInPrivateUse(text);
}

QString ReadTextFile(const QString& path, yz::MessageBox& messages) {
  QFile file(path);
  QByteArray bytes;
  const QFileInfo info(path);
  bool ok = info.isFile() && info.size() <= kMaxTextFileBytes && file.open(QIODevice::ReadOnly);
  if (ok) {
    // Read no further than the cap even if the file grew since it was looked at.
    bytes = file.read(kMaxTextFileBytes + 1);
    ok = file.error() == QFileDevice::NoError && bytes.size() <= kMaxTextFileBytes;
    file.close();
  }
  if (!ok) {
    // The file is named on a line of its own, as the save confirmation names its file.
    messages.Show(QStringLiteral("不存在该文件或该文件不能访问！\r\n") + path, yz::kMbExclamation);
    return QString();
  }
  QString text = DecodeCodePage936(bytes);
  if (text.endsWith(QStringLiteral("\r\n"))) text.chop(2);
  return text;
}

}  // namespace modPub
