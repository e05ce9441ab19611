// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "app/mod_pub.h"
#include "support/fake_message_box.h"
#include "support/temp_installation.h"

using yz::testing::FakeMessageBox;
using yz::testing::TempInstallation;

TEST(AppPath, EndsInExactlyOneSlash) {
  EXPECT_EQ(modPub::AppPathFor("/"), "/");
  EXPECT_EQ(modPub::AppPathFor("/opt/yz"), "/opt/yz/");
  EXPECT_EQ(modPub::AppPathFor("/opt/yz/"), "/opt/yz/");
  EXPECT_EQ(modPub::AppPathFor("/home/我的 程序"), "/home/我的 程序/");
  EXPECT_EQ(modPub::AppPathFor("/") + "data/fuxing.dat", "/data/fuxing.dat");
}

TEST(DecodeCodePage936, MapsTheUserDefinedAreasToPrivateUse) {
  EXPECT_EQ(modPub::DecodeCodePage936("\xAA\xA1"), QString(QChar(0xE000)));
  EXPECT_EQ(modPub::DecodeCodePage936("\xF8\xA1"), QString(QChar(0xE234)));
  EXPECT_EQ(modPub::DecodeCodePage936("\xA1\x40"), QString(QChar(0xE4C6)));
  EXPECT_EQ(modPub::DecodeCodePage936("\xC5\xB7\xD1\xF4"), QStringLiteral("欧阳"));
  EXPECT_EQ(modPub::DecodeCodePage936(" a-"), QStringLiteral(" a-"));
}

TEST(DecodeCodePage936, InvalidBytesBecomeReplacementCharacters) {
  // A lead byte followed by a byte that cannot trail it, then a lead byte cut off at the end.
  const QString text = modPub::DecodeCodePage936("A\x81\x20" "B\xC5");
  EXPECT_TRUE(text.startsWith('A'));
  EXPECT_TRUE(text.contains('B'));
  EXPECT_TRUE(text.contains(QChar(0xFFFD)));
  EXPECT_TRUE(text.endsWith(QChar(0xFFFD)));
  EXPECT_EQ(modPub::DecodeCodePage936("\xFF\xFF\xFF").count(QChar(0xFFFD)), 3);
}

class ReadTextFileTest : public ::testing::Test {
 protected:
  QString read(const QByteArray& bytes) {
    return modPub::ReadTextFile(install.writeFile("data/fuxing.dat", bytes), messages);
  }
  TempInstallation install;
  FakeMessageBox messages;
};

TEST_F(ReadTextFileTest, RemovesOnlyOneTrailingCrLf) {
  EXPECT_EQ(read("ab\r\n\r\n"), "ab\r\n");
  EXPECT_EQ(read("ab\r\n"), "ab");
  EXPECT_EQ(read("ab"), "ab");
  EXPECT_EQ(read("ab\r"), "ab\r");
  EXPECT_EQ(read("\r\n"), "");
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ReadTextFileTest, EmptyFileIsSilentlyEmpty) {
  EXPECT_EQ(read(""), "");
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ReadTextFileTest, MissingFileOrFolderWarnsOnceAndGivesEmptyText) {
  EXPECT_EQ(modPub::ReadTextFile(install.appPath() + "data/none.dat", messages), "");
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, "不存在该文件或该文件不能访问！\r\n" + install.appPath() + "data/none.dat");
  EXPECT_EQ(messages.shown[0].style, 48);
  EXPECT_EQ(messages.shown[0].caption, "砚舟签名设计");

  install.makeFolder("data/folder.dat");
  EXPECT_EQ(modPub::ReadTextFile(install.appPath() + "data/folder.dat", messages), "");
  EXPECT_EQ(messages.shown.size(), 2);
}

TEST_F(ReadTextFileTest, DecodesTheTableAsCodePage936) {
  EXPECT_EQ(read(" \xC5\xB7\xD1\xF4-=\xAA\xA1\r\n"), QStringLiteral(" 欧阳-=") + QChar(0xE000));
}
