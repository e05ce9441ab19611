#include "render/qt_picture_loader.h"

#include <QFileInfo>
#include <QImageReader>

#include "seams/failure.h"

namespace yz {
namespace {

[[noreturn]] void Refuse(const QString& path, const QString& reason) {
  throw Failure(QStringLiteral("无法读取背景图片：%1（%2）").arg(path, reason));
}

}  // namespace

QImage QtPictureLoader::LoadPicture(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) Refuse(path, QStringLiteral("文件不存在"));
  if (!info.isFile()) Refuse(path, QStringLiteral("不是文件"));
  if (!info.isReadable()) Refuse(path, QStringLiteral("没有读取权限"));

  QImageReader reader(path);
  if (!reader.canRead()) Refuse(path, QStringLiteral("不是可识别的图片格式"));
  const QSize declared = reader.size();
  if (declared.isValid() && qint64(declared.width()) * declared.height() > kMaxPixels)
    Refuse(path, QStringLiteral("图片尺寸 %1×%2 过大").arg(declared.width()).arg(declared.height()));
  QImage picture = reader.read();
  if (picture.isNull()) Refuse(path, QStringLiteral("图片数据已损坏或过大：%1").arg(reader.errorString()));
  return picture;
}

}  // namespace yz
