// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "output/browse_file.h"
#include "export/picture_file.h"
#include "output/save_signature.h"
#include "seams/failure.h"
#include "support/fake_message_box.h"
#include "support/fake_platform.h"

using namespace yz;
using yz::testing::FakeMessageBox;
using yz::testing::FakeSaveDialog;

namespace {

QImage SamplePicture() {
  QImage image(388, 261, QImage::Format_RGB32);
  image.fill(QColor(244, 235, 217));
  for (int x = 60; x < 200; ++x) image.setPixelColor(x, 120, QColor(20, 20, 20));
  return image;
}

QByteArray Head(const QString& path, int n) {
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  return file.read(n);
}

}  // namespace

TEST(BrowseFile, AddsTheChosenTypeOnlyWhenTheFileNameHasNoDot) {
  EXPECT_EQ(mdlBrowseFile::WithTypeExtension("/home/u/签名", 1), "/home/u/签名.bmp");
  EXPECT_EQ(mdlBrowseFile::WithTypeExtension("/home/u/签名", 2), "/home/u/签名.jpg");
  EXPECT_EQ(mdlBrowseFile::WithTypeExtension("/home/u/签名.png", 1), "/home/u/签名.png");
  EXPECT_EQ(mdlBrowseFile::WithTypeExtension("/home/u/签名.", 2), "/home/u/签名.");
  EXPECT_EQ(mdlBrowseFile::WithTypeExtension("/home/my.pics/签名", 1), "/home/my.pics/签名.bmp");
}

TEST(BrowseFile, AsksWithTheTitleAndTypesAndGivesEmptyTextOnCancel) {
  FakeSaveDialog dialog;
  FakeMessageBox messages;
  const QString filter = QStringLiteral("bmp文件(*.bmp)") + QChar(0) + "*.bmp" + QChar(0) +
                         QStringLiteral("jpg文件(*.jpg)") + QChar(0) + "*.jpg" + QChar(0);
  EXPECT_EQ(mdlBrowseFile::browseFile(nullptr, "保存签名图片", filter, dialog, messages), "");
  EXPECT_EQ(dialog.lastTitle, "保存签名图片");
  EXPECT_EQ(dialog.lastFilters, QStringList({"bmp文件(*.bmp)", "jpg文件(*.jpg)"}));
  EXPECT_EQ(dialog.lastFilterIndex, 1);
  dialog.answer = {true, "/tmp/x/签名", 2};
  EXPECT_EQ(mdlBrowseFile::browseFile(nullptr, "t", filter, dialog, messages), "/tmp/x/签名.jpg");
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST(BrowseFile, AFailureInsideIsShownCaptionedBrowseFileAndCountsAsCancel) {
  FakeSaveDialog dialog;
  dialog.answer = {true, "/tmp/签名", 1};
  dialog.onShow = [] { throw Failure(QStringLiteral("对话框无法打开")); };
  FakeMessageBox messages;
  EXPECT_EQ(mdlBrowseFile::browseFile(nullptr, "保存签名图片", QString(), dialog, messages), "");
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, "Error: 1 对话框无法打开");
  EXPECT_EQ(messages.shown[0].caption, "browseFile");
  EXPECT_EQ(messages.shown[0].style, 0);
}

TEST(PictureFile, ContentMatchesTheName) {
  QTemporaryDir dir;
  const QImage picture = SamplePicture();
  const struct {
    const char* name;
    QByteArray magic;
    QByteArray format;
  } cases[] = {{"a.bmp", "BM", "bmp"}, {"a.jpg", "\xFF\xD8", "jpeg"}, {"a.JPEG", "\xFF\xD8", "jpeg"},
               {"a.png", "\x89PNG", "png"}, {"a.gif", "BM", "bmp"}};
  for (const auto& c : cases) {
    const QString path = dir.filePath(c.name);
    WritePictureFile(picture, path);
    EXPECT_EQ(Head(path, c.magic.size()), c.magic) << c.name;
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    EXPECT_EQ(reader.format(), c.format) << c.name;
    const QImage back = reader.read();
    ASSERT_EQ(back.size(), picture.size()) << c.name;
    const QColor ink = back.pixelColor(100, 120), paper = back.pixelColor(10, 10);
    EXPECT_LT(ink.red(), 80) << c.name;
    EXPECT_NEAR(paper.red(), 244, 4) << c.name;
    if (c.format != "jpeg") EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), picture) << c.name;
  }
  // An uncompressed 24-bit BMP: 54-byte header, 3 bytes per pixel in rows padded to 4.
  EXPECT_EQ(QFile(dir.filePath("a.bmp")).size(), 54 + (388 * 3 + 0) * 261);
}

TEST(PictureFile, AFailedWriteLeavesNoFileAndKeepsTheOldOne) {
  QTemporaryDir dir;
  // A folder that cannot exist: its parent is an ordinary file (root bypasses permissions).
  QFile blocker(dir.filePath("plain"));
  blocker.open(QIODevice::WriteOnly);
  blocker.close();
  try {
    WritePictureFile(SamplePicture(), dir.filePath("plain/签名.bmp"));
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_TRUE(failure.message().contains(dir.filePath("plain/签名.bmp")));
    EXPECT_TRUE(failure.message().contains("原因"));
  }
  // An empty picture fails before anything replaces the existing file.
  const QString existing = dir.filePath("old.bmp");
  WritePictureFile(SamplePicture(), existing);
  const QByteArray before = Head(existing, 1 << 20);
  EXPECT_THROW(WritePictureFile(QImage(), existing), Failure);
  EXPECT_EQ(Head(existing, 1 << 20), before);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);  // no temporary left behind
}

class SaveClickTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  FakeSaveDialog dialog;
  FakeMessageBox messages;
};

TEST_F(SaveClickTest, WritesAndConfirmsWithTheFullPath) {
  dialog.answer = {true, dir.filePath("签名"), 1};
  SaveSignatureClick(nullptr, SamplePicture(), dialog, messages);
  ASSERT_TRUE(QFile::exists(dir.filePath("签名.bmp")));
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, "保存完毕！\r\n" + dir.filePath("签名.bmp"));
  EXPECT_EQ(messages.shown[0].style, 64);
  EXPECT_EQ(messages.shown[0].caption, "砚舟签名设计");
}

TEST_F(SaveClickTest, CancelWritesNothingAndSaysNothing) {
  SaveSignatureClick(nullptr, SamplePicture(), dialog, messages);
  EXPECT_TRUE(messages.shown.isEmpty());
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
  SaveSignatureClick(nullptr, SamplePicture(), dialog, messages);
  EXPECT_EQ(dialog.calls, 2);
  EXPECT_EQ(dialog.lastFilterIndex, 1);
}

TEST_F(SaveClickTest, AsksBeforeReplacingAFileUnderTheCompletedName) {
  const QString completed = dir.filePath("签名.jpg");
  QFile old(completed);
  old.open(QIODevice::WriteOnly);
  old.write("keep me");
  old.close();
  dialog.answer = {true, dir.filePath("签名"), 2};
  messages.answer = false;
  SaveSignatureClick(nullptr, SamplePicture(), dialog, messages);
  EXPECT_EQ(messages.asked.size(), 1);
  EXPECT_EQ(Head(completed, 100), "keep me");
  EXPECT_TRUE(messages.shown.isEmpty());

  messages.answer = true;
  SaveSignatureClick(nullptr, SamplePicture(), dialog, messages);
  EXPECT_EQ(Head(completed, 2), "\xFF\xD8");
  // A name typed with its own ending was already asked about by the dialog.
  dialog.answer = {true, completed, 2};
  SaveSignatureClick(nullptr, SamplePicture(), dialog, messages);
  EXPECT_EQ(messages.asked.size(), 2);
}
