// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/qt_picture_loader.h"

#include <QFile>
#include <gtest/gtest.h>

#include "seams/failure.h"
#include "support/crafted_pictures.h"
#include "support/temp_installation.h"

namespace yz {
namespace {

// The message of the Failure that loading `path` throws, or "" when it loads.
QString FailureOf(const QString& path) {
  try {
    QtPictureLoader().LoadPicture(path);
  } catch (const Failure& failure) {
    return failure.message();
  }
  return {};
}

// A PNG that declares width × height pixels and holds almost no data.
QByteArray PngHeader(quint32 width, quint32 height) {
  return testing::CraftedPng(width, height, QByteArray::fromHex("789c030000000001"));
}

TEST(QtPictureLoader, LoadsAPictureAtItsOwnSize) {
  testing::TempInstallation install;
  const QImage picture =
      QtPictureLoader().LoadPicture(install.writePicture(QStringLiteral("images/底图.png"), 388, 261));
  EXPECT_EQ(picture.size(), QSize(388, 261));
}

TEST(QtPictureLoader, FailuresNameThePathAndTheReason) {
  testing::TempInstallation install;
  const QString missing = install.appPath() + QStringLiteral("images/无.jpg");
  EXPECT_EQ(FailureOf(missing), QStringLiteral("无法读取背景图片：%1（文件不存在）").arg(missing));

  const QString text = install.writeFile(QStringLiteral("images/说明.jpg"), "not a picture at all");
  EXPECT_TRUE(FailureOf(text).startsWith(QStringLiteral("无法读取背景图片：") + text)) << FailureOf(text).toStdString();

  const QString empty = install.writeFile(QStringLiteral("images/空.bmp"));
  EXPECT_TRUE(FailureOf(empty).contains(empty));

  const QString folder = install.makeFolder(QStringLiteral("images/子目录.jpg"));
  EXPECT_TRUE(FailureOf(folder).contains(QStringLiteral("不是文件")));

  EXPECT_FALSE(FailureOf(QString()).isEmpty());
}

TEST(QtPictureLoader, APictureDeclaringAHugeSizeIsRefusedBeforeDecoding) {
  testing::TempInstallation install;
  const QString bomb = install.writeFile(QStringLiteral("images/炸弹.png"), PngHeader(60000, 60000));
  const QString message = FailureOf(bomb);
  EXPECT_TRUE(message.contains(bomb));
  EXPECT_TRUE(message.contains(QStringLiteral("60000"))) << message.toStdString();
}

TEST(QtPictureLoader, APictureWithoutItsPixelsFails) {
  testing::TempInstallation install;
  const QString truncated = install.writeFile(QStringLiteral("images/截断.png"), PngHeader(20, 20));
  EXPECT_EQ(FailureOf(truncated),
            QStringLiteral("无法读取背景图片：%1（图片数据已损坏或过大）").arg(truncated));
}

}  // namespace
}  // namespace yz

namespace yz {
namespace {

TEST(QtPictureLoaderKeeping, AnUnchangedPictureIsDecodedOnce) {
  testing::TempInstallation install;
  const QString path = install.writePicture(QStringLiteral("images/a.png"), 30, 20);
  QtPictureLoader keeping;
  QtPictureLoader naive(QtPictureLoader::Caching::Naive);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(keeping.LoadPicture(path).size(), QSize(30, 20));
    EXPECT_EQ(naive.LoadPicture(path).size(), QSize(30, 20));
  }
  EXPECT_EQ(keeping.DecodeCount(), 1);
  EXPECT_EQ(naive.DecodeCount(), 3);
}

TEST(QtPictureLoaderKeeping, AChangedOrDeletedPictureIsSeenAtTheNextLoad) {
  testing::TempInstallation install;
  const QString path = install.writePicture(QStringLiteral("images/a.png"), 30, 20);
  QtPictureLoader loader;
  loader.LoadPicture(path);
  QFile::remove(path);
  install.writePicture(QStringLiteral("images/a.png"), 40, 25);  // a new file in its place
  EXPECT_EQ(loader.LoadPicture(path).size(), QSize(40, 25));
  QFile::remove(path);
  EXPECT_THROW(loader.LoadPicture(path), Failure);
}

}  // namespace
}  // namespace yz
