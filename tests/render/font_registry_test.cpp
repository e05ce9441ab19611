// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QFile>
#include <QFontDatabase>

#include "real_canvas_fixture.h"

namespace yz::test {
namespace {

const QString kUnlistedFamily = QStringLiteral("icomoon");

// The registry's observable rule, with and without keeping parsed fonts between registrations.
class FontRegistryTest : public ::testing::TestWithParam<QtFontRegistry::Caching> {
 protected:
  FontRegistryTest() {
    file = install.copyFile(kUnlistedFont, QStringLiteral("fonts/x/dsf1.dat"));
  }
  // The family the canvas draws `face` with right now.
  QString Drawn(const QString& face) {
    canvas.SetFontName(face);
    return canvas.DrawnFamily();
  }
  yz::testing::TempInstallation install;
  QtFontRegistry fonts{GetParam()};
  QtCanvas canvas{fonts, QSize(100, 50)};
  QString file;
};

TEST_P(FontRegistryTest, AFaceIsSelectableExactlyWhileItsFileIsRegistered) {
  ASSERT_FALSE(QFontDatabase::families().contains(kUnlistedFamily)) << "test font must not be installed";
  EXPECT_NE(Drawn(kUnlistedFamily), kUnlistedFamily);

  fonts.LoadFontFile(file);
  ASSERT_EQ(fonts.FamiliesOf(file), QStringList{kUnlistedFamily});
  EXPECT_EQ(Drawn(kUnlistedFamily), kUnlistedFamily);
  EXPECT_EQ(Drawn(QStringLiteral("dsf1")), kUnlistedFamily);  // named by its file, as styles are

  fonts.LoadFontFile(file);  // nested: one removal leaves it registered
  fonts.UnloadFontFile(file);
  EXPECT_EQ(fonts.RegistrationCount(file), 1);
  EXPECT_EQ(Drawn(QStringLiteral("dsf1")), kUnlistedFamily);

  fonts.UnloadFontFile(file);
  EXPECT_EQ(fonts.RegisteredPathCount(), 0);
  EXPECT_NE(Drawn(QStringLiteral("dsf1")), kUnlistedFamily);
  EXPECT_NE(Drawn(kUnlistedFamily), kUnlistedFamily);

  fonts.UnloadFontFile(file);  // an extra removal is ignored, never negative
  fonts.LoadFontFile(file);
  EXPECT_EQ(Drawn(kUnlistedFamily), kUnlistedFamily);
  fonts.UnloadFontFile(file);
  EXPECT_NE(Drawn(kUnlistedFamily), kUnlistedFamily);
}

TEST_P(FontRegistryTest, AFaceChosenWhileRegisteredDrawsInTheSubstituteOnceRemoved) {
  fonts.LoadFontFile(file);
  canvas.SetFontName(kUnlistedFamily);
  EXPECT_EQ(canvas.DrawnFamily(), kUnlistedFamily);
  fonts.UnloadFontFile(file);
  EXPECT_NE(canvas.DrawnFamily(), kUnlistedFamily);  // without choosing the face again
}

TEST_P(FontRegistryTest, ADeletedFileProvidesNoFaceAtItsNextRegistration) {
  fonts.LoadFontFile(file);
  fonts.UnloadFontFile(file);
  ASSERT_TRUE(QFile::remove(file));
  fonts.LoadFontFile(file);
  EXPECT_TRUE(fonts.FamiliesOf(file).isEmpty());
  EXPECT_NE(Drawn(kUnlistedFamily), kUnlistedFamily);
  fonts.UnloadFontFile(file);
}

TEST_P(FontRegistryTest, AReplacedFileIsParsedAfresh) {
  fonts.LoadFontFile(file);
  fonts.UnloadFontFile(file);
  install.copyFile(kHeiBold, QStringLiteral("fonts/x/dsf1.dat"));
  fonts.LoadFontFile(file);
  EXPECT_TRUE(fonts.FamiliesOf(file).contains(QStringLiteral("cwTeXHeiBold")));
  EXPECT_EQ(Drawn(QStringLiteral("dsf1")), QStringLiteral("cwTeXHeiBold"));
  EXPECT_NE(Drawn(kUnlistedFamily), kUnlistedFamily);
  fonts.UnloadFontFile(file);
}

TEST_P(FontRegistryTest, KeepingParsesAnUnchangedFileOnce) {
  for (int i = 0; i < 5; ++i) {
    fonts.LoadFontFile(file);
    fonts.UnloadFontFile(file);
  }
  EXPECT_EQ(fonts.ParseCount(), GetParam() == QtFontRegistry::Caching::Naive ? 5 : 1);
  if (GetParam() == QtFontRegistry::Caching::Naive)
    EXPECT_FALSE(QFontDatabase::families().contains(kUnlistedFamily));

  const int before = fonts.ParseCount();
  fonts.SetCachingEnabled(false);  // the benchmark's naive switch
  EXPECT_FALSE(QFontDatabase::families().contains(kUnlistedFamily));
  for (int i = 0; i < 2; ++i) {
    fonts.LoadFontFile(file);
    fonts.UnloadFontFile(file);
  }
  EXPECT_EQ(fonts.ParseCount(), before + 2);
}

INSTANTIATE_TEST_SUITE_P(Caching, FontRegistryTest,
                         ::testing::Values(QtFontRegistry::Caching::KeepParsedFonts,
                                           QtFontRegistry::Caching::Naive),
                         [](const auto& info) {
                           return info.param == QtFontRegistry::Caching::Naive ? "Naive" : "Keep";
                         });

}  // namespace
}  // namespace yz::test
