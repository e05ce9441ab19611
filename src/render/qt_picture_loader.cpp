// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/qt_picture_loader.h"

#include <QFileInfo>
#include <QImageReader>

#include "seams/failure.h"

namespace yz {
namespace {

[[noreturn]] void Refuse(const QString& path, const QString& reason) {
  throw Failure(QStringLiteral("无法读取背景图片：%1（%2）").arg(path, reason));
}

QString ReasonFor(QImageReader::ImageReaderError error) {
  switch (error) {
    case QImageReader::FileNotFoundError: return QStringLiteral("文件不存在");
    case QImageReader::DeviceError: return QStringLiteral("文件无法读取");
    case QImageReader::UnsupportedFormatError: return QStringLiteral("不是可识别的图片格式");
    default: return QStringLiteral("图片数据已损坏或过大");
  }
}

}  // namespace

QImage QtPictureLoader::LoadPicture(const QString& path) {
  if (caching_ == Caching::Naive) return Decode(path);
  const FileStamp stamp = FileStamp::Of(path);
  const auto it = kept_.constFind(path);
  if (stamp.exists && it != kept_.constEnd() && it->stamp == stamp) return it->picture;
  kept_.remove(path);
  QImage picture = Decode(path);  // fails for a missing file as without keeping
  if (kept_.size() >= kKeptPictures) kept_.erase(kept_.begin());
  kept_.insert(path, {stamp, picture});
  return picture;
}

QImage QtPictureLoader::Decode(const QString& path) {
  ++decodes_;
  const QFileInfo info(path);
  if (!info.exists()) Refuse(path, QStringLiteral("文件不存在"));
  if (!info.isFile()) Refuse(path, QStringLiteral("不是文件"));
  if (!info.isReadable()) Refuse(path, QStringLiteral("没有读取权限"));

  QImageReader reader(path);
  if (!reader.canRead()) Refuse(path, QStringLiteral("不是可识别的图片格式"));
  const QSize declared = reader.size();
  if (declared.isValid() && qint64(declared.width()) * declared.height() > kMaxPixels)
    Refuse(path, QStringLiteral("图片尺寸 %1×%2 过大").arg(declared.width()).arg(declared.height()));
  // Also bounds formats that learn their size only while decoding.
  QImageReader::setAllocationLimit(int(kMaxPixels * 4 / (1024 * 1024)));
  QImage picture = reader.read();
  if (picture.isNull()) Refuse(path, ReasonFor(reader.error()));
  // In the canvas's own pixel format a redraw is a plain copy; palette and straight-alpha
  // pictures would otherwise be converted again at every drawing.
  return picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                            : QImage::Format_RGB32);
}

}  // namespace yz
