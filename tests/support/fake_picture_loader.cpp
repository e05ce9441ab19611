// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/fake_picture_loader.h"

#include "seams/failure.h"

namespace yz::test {

void FakePictureLoader::Add(const QString& path, int width, int height, const QColor& colour) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(colour);
  pictures_[path] = picture;
}

QImage FakePictureLoader::LoadPicture(const QString& path) {
  loaded_.append(path);
  if (journal_) journal_->append(QStringLiteral("LoadPicture ") + path);
  const auto it = pictures_.constFind(path);
  if (it == pictures_.constEnd())
    throw Failure(QStringLiteral("无法读取背景图片：%1（文件不存在）").arg(path));
  return *it;
}

}  // namespace yz::test
