// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

#include "app/catalogue.h"
#include "app/name_rules.h"
#include "support/temp_installation.h"

using yz::Catalogue;
using yz::LoadCatalogue;
using yz::testing::TempInstallation;

TEST(NameRules, DisplayAndFaceNames) {
  EXPECT_EQ(yz::SingleFaceDisplayName("宋体(SimSun).dat"), "宋体");
  EXPECT_EQ(yz::SingleFaceDisplayName("A(B)(C).dat"), "A(B)");
  EXPECT_EQ(yz::SingleFaceDisplayName("无括号.dat"), "无括号");
  EXPECT_EQ(yz::BackgroundDisplayName("01-宣纸.jpg"), "宣纸");
  EXPECT_EQ(yz::BackgroundDisplayName("07-水墨-淡.png"), "水墨-淡");
  EXPECT_EQ(yz::BackgroundDisplayName("sky.bmp"), "sky");
  EXPECT_EQ(yz::BackgroundDisplayName("01-a.b.jpg"), "a");
}

class CatalogueTest : public ::testing::Test {
 protected:
  TempInstallation install;
};

TEST_F(CatalogueTest, StylesThenSingleFacesWithTheirPaths) {
  install.writeFile("fonts/公文签/gwq1.dat");
  install.writeFile("fonts/公文签/gwq2.dat");
  install.writeFile("fonts/公文签/gwq3.dat");
  install.writeFile("fonts/毛体/mt1.dat");
  install.makeFolder("fonts/空");
  install.writeFile("fonts/readme.txt");
  install.writeFile("fonts/电脑字2/x1.dat");
  install.writeFile("fonts/电脑字/宋体(SimSun).dat");
  install.writeFile("fonts/电脑字/A(B)(C).dat");
  const Catalogue c = LoadCatalogue(install.appPath());
  const QString fonts = install.appPath() + "fonts/";
  ASSERT_EQ(c.styleNames.size(), c.FontPaths.size());
  EXPECT_EQ(c.styleNames,
            QStringList({"readme.txt", "公文签", "毛体", "电脑字2", "空", "A(B)", "宋体"}));
  EXPECT_EQ(c.FontPaths[0], fonts + "readme.txt/");
  EXPECT_EQ(c.FontPaths[1], fonts + "公文签/gwq");
  EXPECT_EQ(c.FontPaths[2], fonts + "毛体/mt1");
  EXPECT_EQ(c.FontPaths[4], fonts + "空/");
  EXPECT_EQ(c.FontPaths[6], fonts + "电脑字/宋体(SimSun).dat");
  EXPECT_EQ(c.SingleFaceNames, ",A(B),宋体,");
}

TEST_F(CatalogueTest, OrderIgnoresLetterCaseAndHiddenEntries) {
  install.writeFile("fonts/beta/Zz1.dat");
  install.writeFile("fonts/beta/aa1.dat");
  install.writeFile("fonts/beta/.hidden");
  install.writeFile("fonts/Alpha/x.dat");
  install.writeFile("fonts/.git/x.dat");
  install.writeFile("fonts/gamma/.only-hidden");
  const Catalogue c = LoadCatalogue(install.appPath());
  EXPECT_EQ(c.styleNames, QStringList({"Alpha", "beta", "gamma"}));
  EXPECT_TRUE(c.FontPaths[1].endsWith("beta/aa1"));
  EXPECT_TRUE(c.FontPaths[2].endsWith("gamma/"));
  EXPECT_EQ(c.SingleFaceNames, ",");
}

TEST_F(CatalogueTest, BackgroundsInListingOrderWithDisplayNames) {
  install.writePicture("images/02-水墨-淡.png");
  install.writePicture("images/01-宣纸.png");
  install.writePicture("images/sky.bmp");
  install.writeFile("images/.thumbs");
  const Catalogue c = LoadCatalogue(install.appPath());
  EXPECT_EQ(c.backgroundNames, QStringList({"宣纸", "水墨-淡", "sky"}));
  EXPECT_EQ(c.BackgroundPaths[1], install.appPath() + "images/02-水墨-淡.png");
}

TEST_F(CatalogueTest, MissingFoldersGiveEmptyLists) {
  const Catalogue c = LoadCatalogue(install.appPath());
  EXPECT_TRUE(c.styleNames.isEmpty());
  EXPECT_TRUE(c.backgroundNames.isEmpty());
  EXPECT_EQ(c.SingleFaceNames, ",");
}

TEST_F(CatalogueTest, StopsAt1001EntriesPerList) {
  for (int i = 0; i < 1000; ++i) install.makeFolder(QString("fonts/s%1").arg(i, 4, 10, QChar('0')));
  install.writeFile("fonts/电脑字/a(A).dat");
  install.writeFile("fonts/电脑字/b(B).dat");
  for (int i = 0; i < 1003; ++i) install.writeFile(QString("images/%1.png").arg(i, 4, 10, QChar('0')));
  const Catalogue c = LoadCatalogue(install.appPath());
  EXPECT_EQ(c.styleNames.size(), 1001);
  EXPECT_EQ(c.styleNames.last(), "a");
  EXPECT_EQ(c.SingleFaceNames, ",a,");
  EXPECT_EQ(c.BackgroundPaths.size(), 1001);
}

TEST_F(CatalogueTest, SkipsNamesThatCannotBeListEntries) {
  install.makeFolder("fonts/a,b");
  install.writeFile("fonts/电脑字/x,y(Z).dat");
  install.writeFile(QString::fromUtf8("fonts/ok/k1.dat"));
  // A name that is not valid UTF-8 cannot be opened again through a text path.
  const QByteArray raw = QFile::encodeName(install.appPath() + "fonts/") + "bad\xFF\xFE";
  ASSERT_EQ(::mkdir(raw.constData(), 0755), 0);
  const QByteArray loop = QFile::encodeName(install.appPath() + "fonts/loop");
  ASSERT_EQ(::symlink(loop.constData(), loop.constData()), 0);
  const Catalogue c = LoadCatalogue(install.appPath());
  EXPECT_EQ(c.styleNames, QStringList({"ok"}));
  EXPECT_EQ(c.SingleFaceNames, ",");
  ::rmdir(raw.constData());
}
