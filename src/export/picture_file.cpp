#include "export/picture_file.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <sys/statvfs.h>

#include "seams/failure.h"

namespace yz {

namespace {

// Qt's own error texts are English and, for a full disk, only "Unknown error": the usual causes
// are told in the user's words, anything else in Qt's.
QString ReasonFor(const QString& path, qint64 bytesNeeded, const QString& qtReason) {
  const QFileInfo target(path);
  const QFileInfo folder(target.absolutePath());
  if (!folder.isDir()) return QStringLiteral("文件夹“%1”不存在").arg(folder.filePath());
  struct statvfs disk {};
  const bool known = ::statvfs(QFile::encodeName(folder.filePath()).constData(), &disk) == 0;
  if (known && (disk.f_flag & ST_RDONLY)) return QStringLiteral("所在的磁盘是只读的");
  if (target.exists() && !target.isWritable()) return QStringLiteral("文件是只读的");
  if (!folder.isWritable()) return QStringLiteral("没有在文件夹“%1”中写入的权限").arg(folder.filePath());
  if (known && qint64(disk.f_bavail) * qint64(disk.f_frsize) < bytesNeeded)
    return QStringLiteral("磁盘空间不足");
  return qtReason;
}

}  // namespace

QByteArray PictureFormatFor(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QStringLiteral("jpg") || suffix == QStringLiteral("jpeg")) return "jpg";
  if (suffix == QStringLiteral("png")) return "png";
  return "bmp";
}

void WritePictureFile(const QImage& picture, const QString& path) {
  const QByteArray format = PictureFormatFor(path);
  QImage image = picture;
  if (format != "png") image = picture.convertToFormat(QImage::Format_RGB888);  // 24-bit, no alpha
  QSaveFile file(path);
  const auto fail = [&](const QString& reason) {
    file.cancelWriting();
    throw Failure(QStringLiteral("无法保存签名图片：%1\n原因：%2").arg(path, reason));
  };
  const qint64 bytes = qint64(image.width()) * image.height() * 3 + 54;  // about the BMP's size
  const auto failToWrite = [&](const QString& qtReason) { fail(ReasonFor(path, bytes, qtReason)); };
  if (image.isNull()) fail(QStringLiteral("画布上没有图片"));
  if (!file.open(QIODevice::WriteOnly)) failToWrite(file.errorString());
  QImageWriter writer(&file, format);
  if (format == "jpg") writer.setQuality(95);
  if (!writer.write(image)) failToWrite(writer.errorString());
  if (!file.commit()) failToWrite(file.errorString());
}

}  // namespace yz
