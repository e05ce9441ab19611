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
