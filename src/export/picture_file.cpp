// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "export/picture_file.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>

#include "export/whole_file.h"
#include "seams/failure.h"

namespace yz {

QByteArray PictureFormatFor(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QStringLiteral("jpg") || suffix == QStringLiteral("jpeg")) return "jpg";
  if (suffix == QStringLiteral("png")) return "png";
  return "bmp";
}

void WritePictureFile(const QImage& picture, const QString& path) {
  const auto fail = [&](const QString& reason) {
    throw Failure(QStringLiteral("无法保存签名图片：%1\n原因：%2").arg(path, reason));
  };
  if (picture.isNull()) fail(QStringLiteral("画布上没有图片"));
  const QByteArray format = PictureFormatFor(path);
  QImage image = picture;
  if (format != "png") image = picture.convertToFormat(QImage::Format_RGB888);  // 24-bit, no alpha
  // Encoded in memory first: the file is then written in one checked step, and an encoder never
  // meets a write error it would report in its own words.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  if (format == "jpg") writer.setQuality(95);
  if (!writer.write(image)) fail(QStringLiteral("无法把图片编码为 %1").arg(QString::fromLatin1(format).toUpper()));
  if (const QString reason = WriteFileWhole(path, bytes); !reason.isEmpty()) fail(reason);
}

}  // namespace yz
