// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <sys/stat.h>

#include "app/catalogue.h"
#include "app/directory_listing.h"
#include "app/mod_pub.h"
#include "support/temp_installation.h"

using yz::testing::TempInstallation;

TEST(DecodeCodePage936, KeepsToCodePage936SingleAndDoubleBytes) {
  EXPECT_EQ(modPub::DecodeCodePage936("\x80"), QString(QChar(0x20AC)));
  // GB18030's four-byte form is no code page 936 sequence: a bad lead byte, then a digit.
  EXPECT_EQ(modPub::DecodeCodePage936("\x81\x30\x81\x30"),
            QString(QChar(0xFFFD)) + "0" + QChar(0xFFFD) + "0");
  // 81 is a trail byte here, not a lead byte.
  EXPECT_EQ(modPub::DecodeCodePage936("\xB0\x81\x30"), QString(QChar(0x769D)) + "0");
  EXPECT_EQ(modPub::DecodeCodePage936("\xAF\xFE\xFE\xFE\xA7\xA0"),
            QString(QChar(0xE233)) + QChar(0xE4C5) + QChar(0xE765));
}

TEST(ListsBefore, UpperCasesEachUnitOnItsOwn) {
  EXPECT_TRUE(yz::ListsBefore("SSb", QString::fromUtf8("ßa")));
  EXPECT_TRUE(yz::ListsBefore("Z", "_z"));
  EXPECT_TRUE(yz::ListsBefore("Ab", "aB"));  // ties broken by the exact names
  EXPECT_FALSE(yz::ListsBefore("aB", "Ab"));
}

TEST(ListFolder, KeepsValidNamesHoldingTheReplacementCharacter) {
  TempInstallation install;
  install.makeFolder(QString::fromUtf8("fonts/x\xEF\xBF\xBDy"));
  const QByteArray raw = QFile::encodeName(install.appPath() + "fonts/") + "bad\xFF";
  ASSERT_EQ(::mkdir(raw.constData(), 0755), 0);
  EXPECT_EQ(yz::LoadCatalogue(install.appPath()).styleNames,
            QStringList({QString::fromUtf8("x\xEF\xBF\xBDy")}));
}

// Found by fuzzing: glibc gives 25 codes the characters of later GB18030 editions, six of them
// beyond 16 bits, which shifted every table position after them.
TEST(DecodeCodePage936, EveryPairIsOneUnitAndTheMovedCodesStayPrivateUse) {
  EXPECT_EQ(modPub::DecodeCodePage936("\xFE\x51"), QString(QChar(0xE816)));
  EXPECT_EQ(modPub::DecodeCodePage936("\xFE\xA0"), QString(QChar(0xE864)));
  EXPECT_EQ(modPub::DecodeCodePage936("\xA6\xD9"), QString(QChar(0xE78D)));
  EXPECT_EQ(modPub::DecodeCodePage936("\xA8\xBC"), QString(QChar(0xE7C7)));
  EXPECT_EQ(modPub::DecodeCodePage936("\xFE\x91" "a"), QString(QChar(0xE855)) + "a");
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      const QString text = modPub::DecodeCodePage936(QByteArray(1, char(lead)) + char(trail));
      ASSERT_EQ(text.size(), 1) << std::hex << lead << trail;
      ASSERT_FALSE(text[0].isSurrogate()) << std::hex << lead << trail;
    }
  }
}
