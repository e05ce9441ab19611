#include "output/picture_file.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include "seams/failure.h"

namespace yz {

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
  if (image.isNull()) fail(QStringLiteral("画布上没有图片"));
  if (!file.open(QIODevice::WriteOnly)) fail(file.errorString());
  QImageWriter writer(&file, format);
  if (format == "jpg") writer.setQuality(95);
  if (!writer.write(image)) fail(writer.errorString());
  if (!file.commit()) fail(file.errorString());
}

}  // namespace yz
