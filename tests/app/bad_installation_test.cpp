// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Installations that break the catalogue's assumptions: folders missing, replaced by files or
// by link loops, and file names a user would not expect to work. Each still gives lists whose
// every path leads back to its file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <functional>
#include <unistd.h>

#include "app/catalogue.h"
#include "render/qt_picture_loader.h"
#include "support/temp_installation.h"

using yz::Catalogue;
using yz::LoadCatalogue;
using yz::testing::TempInstallation;

namespace {

void Link(TempInstallation& install, const QString& relative, const QByteArray& target) {
  const QString path = install.appPath() + relative;
  QDir().mkpath(QFileInfo(path).path());
  ASSERT_EQ(::symlink(target.constData(), QFile::encodeName(path).constData()), 0) << relative.toStdString();
}

TEST(BadInstallation, OddFolderShapesGiveWhatCanBeListed) {
  const struct {
    const char* what;
    std::function<void(TempInstallation&)> make;
    QStringList styles, backgrounds;
  } cases[] = {
      {"empty folders",
       [](TempInstallation& i) {
         i.makeFolder("fonts/电脑字");
         i.makeFolder("images");
         i.makeFolder("data");
       },
       {}, {}},
      {"files where the folders belong",
       [](TempInstallation& i) {
         i.writeFile("fonts", "x");
         i.writeFile("images", "x");
       },
       {}, {}},
      {"the single-face folder is a file",
       [](TempInstallation& i) {
         i.writeFile("fonts/电脑字", "x");
         i.writeFile("fonts/毛体/mt1.dat");
       },
       {"毛体"}, {}},
      {"folders that are link loops",
       [](TempInstallation& i) {
         Link(i, "fonts/电脑字", "电脑字");
         Link(i, "images", "images");
         i.writeFile("fonts/毛体/mt1.dat");
       },
       {"毛体"}, {}},
      {"a style folder linking back to its parent, a picture linking to itself",
       [](TempInstallation& i) {
         Link(i, "fonts/回环", ".");
         Link(i, "images/自己.png", "自己.png");
         i.writePicture("images/01-宣纸.png");
       },
       {"回环"}, {"宣纸"}},
      {"folders named like fonts and pictures",
       [](TempInstallation& i) {
         i.makeFolder("fonts/电脑字/草书(CS).dat");
         i.makeFolder("images/02-假.png");
         i.writePicture("images/01-宣纸.png");
       },
       {}, {"宣纸"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempInstallation install;
    c.make(install);
    const Catalogue catalogue = LoadCatalogue(install.appPath());
    EXPECT_EQ(catalogue.styleNames, c.styles);
    EXPECT_EQ(catalogue.backgroundNames, c.backgrounds);
    EXPECT_EQ(catalogue.FontPaths.size(), catalogue.styleNames.size());
    EXPECT_EQ(catalogue.BackgroundPaths.size(), catalogue.backgroundNames.size());
  }
}

// A name of 255 bytes, the longest the file system takes: three-byte characters, then letters.
QString LongestName(const QString& ending) {
  const int room = 255 - int(QFile::encodeName(ending).size());
  return QString(room / 3, QChar(0x7B7E)) + QString(room % 3, QChar('a')) + ending;
}

TEST(BadInstallation, UnusualFileNamesAreListedAndTheirPathsStillOpen) {
  const QStringList stems = {QStringLiteral("带 空 格"), QStringLiteral("引\"号'"),
                             QStringLiteral("换\n行"), QStringLiteral("`$(echo x)`*?")};
  TempInstallation install;
  QStringList faces, backgrounds;
  for (const QString& stem : stems) {
    install.writeFile("fonts/电脑字/" + stem + "(F).dat");
    install.writeFile("fonts/" + stem + "/abc1.dat");
    install.writePicture("images/" + stem + ".png", 8, 8);
    faces << stem;
    backgrounds << stem;
  }
  const QString longFace = LongestName(QStringLiteral("(F).dat"));
  const QString longPicture = LongestName(QStringLiteral(".png"));
  ASSERT_EQ(QFile::encodeName(longFace).size(), 255);
  ASSERT_EQ(QFile::encodeName(longPicture).size(), 255);
  install.writeFile("fonts/电脑字/" + longFace);
  install.writePicture("images/" + longPicture, 8, 8);
  install.writeFile("fonts/电脑字/.隐藏(F).dat");
  install.writePicture("images/.隐藏.png", 8, 8);

  const Catalogue c = LoadCatalogue(install.appPath());
  for (const QString& stem : stems) {
    EXPECT_TRUE(c.styleNames.contains(stem)) << stem.toStdString();
    EXPECT_TRUE(c.backgroundNames.contains(stem)) << stem.toStdString();
  }
  EXPECT_TRUE(c.styleNames.contains(longFace.left(longFace.size() - 7)));
  EXPECT_EQ(c.backgroundNames.size(), stems.size() + 1);  // the hidden one left out
  EXPECT_EQ(c.styleNames.size(), 2 * stems.size() + 1);
  for (const QString& path : c.FontPaths) {
    // A style folder's path ends in its prefix: the first file's name begins with it.
    EXPECT_TRUE(QFile::exists(path) || QFile::exists(path + "1.dat")) << path.toStdString();
  }
  for (const QString& path : c.BackgroundPaths) {
    EXPECT_EQ(yz::QtPictureLoader().LoadPicture(path).size(), QSize(8, 8)) << path.toStdString();
  }
}

}  // namespace
