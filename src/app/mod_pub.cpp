#include "app/mod_pub.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <iconv.h>

#include "seams/message_box.h"

namespace modPub {

QString AppPath;
QString CompoundSurnames;
qint32 OffsetX = 250;
qint32 OffsetY = 500;

QString AppPathFor(const QString& executableDir) {
  QString path = executableDir;
  while (path.size() > 1 && path.endsWith('/')) path.chop(1);
  if (!path.endsWith('/')) path += '/';
  return path;
}

// glibc's GB18030 decoder gives code page 936's two-byte mapping, user-defined areas included
// (AAA1–AFFE, F8A1–FEFE, A140–A7A0 land in the private-use area), which the compound-surname
// table relies on for its substitute glyphs. Bytes it cannot decode become U+FFFD, one byte at
// a time, so a damaged table still loads.
QString DecodeCodePage936(const QByteArray& bytes) {
  QString text;
  if (bytes.isEmpty()) return text;
  iconv_t cd = iconv_open("UTF-16LE", "GB18030");
  if (cd == reinterpret_cast<iconv_t>(-1)) return QString::fromLatin1(bytes);
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
  return text;
}

QString ReadTextFile(const QString& path, yz::MessageBox& messages) {
  QFile file(path);
  QByteArray bytes;
  bool ok = QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly);
  if (ok) {
    bytes = file.readAll();
    ok = file.error() == QFileDevice::NoError;
    file.close();
  }
  if (!ok) {
    messages.Show(QStringLiteral("不存在该文件或该文件不能访问！"), yz::kMbExclamation);
    return QString();
  }
  QString text = DecodeCodePage936(bytes);
  if (text.endsWith(QStringLiteral("\r\n"))) text.chop(2);
  return text;
}

}  // namespace modPub
