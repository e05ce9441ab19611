// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QPainter>
#include <QRawFont>

#include "app/mod_pub.h"
#include "app/style_rules.h"
#include "real_canvas_fixture.h"
#include "render/name_characters.h"
#include "render/seal_layout.h"
#include "render/split_signature_name.h"
#include "support/fake_message_box.h"
#include "support/pasted_names.h"

namespace yz::test {
namespace {

// Drawings with the sample installation the build assembles, through its own catalogue.
class SampleInstallationTest : public RealCanvasTest {
 protected:
  void SetUp() override {
    appPath = QStringLiteral(YZ_APP_DIR "/");
    if (!UseSampleInstallation())
      GTEST_SKIP() << "no sample installation at " << YZ_APP_DIR << " (build target yz_installation)";
    yz::testing::FakeMessageBox messages;
    compoundSurnames = modPub::ReadTextFile(appPath + QStringLiteral("data/fuxing.dat"), messages);
    controls.imgIndex = 1;
    controls.textCN = QStringLiteral("纪元朗");
  }
  void Select(const QString& style) {
    controls.fontIndex = int(controls.entries.indexOf(style));
    ASSERT_GE(controls.fontIndex, 0) << style.toStdString();
  }
  QString appPath;
};

TEST_F(SampleInstallationTest, TheDefaultSignatureInksInsideTheHandleOnly) {
  Select(QStringLiteral("公文签"));
  Draw();
  const QRect handle = HandlePixels();
  const Ink inside = FindInk(canvas.Image(), IsDark, handle.adjusted(-3, -3, 3, 3));
  EXPECT_GT(inside.count, 2000);
  EXPECT_EQ(FindInk(canvas.Image(), IsDark).count, inside.count) << "ink outside the handle";
  EXPECT_EQ(fonts.RegisteredPathCount(), 0);
}

TEST_F(SampleInstallationTest, ACompoundSurnameDrawsItsLigatureGlyphNotAMissingGlyphBox) {
  Select(QStringLiteral("公文签"));
  controls.textCN = QStringLiteral("欧阳娜娜");
  const qsizetype at = compoundSurnames.indexOf(QStringLiteral("欧阳"));
  ASSERT_GE(at, 0) << "欧阳 is not in the table";
  const QString ligature = compoundSurnames.mid(at + 4, 1);
  ASSERT_EQ(ligature.size(), 1);
  EXPECT_GE(ligature[0].unicode(), 0xE000);  // the table's characters are private-use

  const QString firstFont = fontPaths[controls.fontIndex] + QStringLiteral("1.dat");
  fonts.LoadFontFile(firstFont);
  canvas.SetFontName(QFileInfo(firstFont).completeBaseName());
  EXPECT_TRUE(QRawFont::fromFont(QFont(canvas.DrawnFamily())).supportsCharacter(ligature[0]))
      << "the first font has no glyph for the ligature";
  fonts.UnloadFontFile(firstFont);

  Draw(300, 300);
  // The first part is the ligature, printed in the first font: ink in its cell, more than a box's
  // outline would leave.
  const QRect firstCell(20, 20, int(controls.handle.width / 15 / 3), int(controls.handle.height / 15));
  EXPECT_GT(FindInk(canvas.Image(), IsDark, firstCell).count, 400);
  EXPECT_EQ(fonts.RegisteredPathCount(), 0);
}

TEST_F(SampleInstallationTest, TheSealStylesDrawRedOnWhiteAndWhiteOnRed) {
  Select(kSealOutline);
  controls.sizeText = QStringLiteral("48");
  controls.ink = kDarkRed;
  Draw();
  const QRect grid = HandlePixels();
  const Ink red = FindInk(canvas.Image(), IsSealRed, grid.adjusted(-7, -4, 0, 0));
  EXPECT_GT(red.count, 1500);
  EXPECT_LT(red.count, grid.width() * grid.height() / 2);

  Select(kSealFilled);
  controls.ink = kWhite;
  Draw();
  const QRect frame = HandlePixels().adjusted(-7, -4, 0, 0);
  EXPECT_GT(FindInk(canvas.Image(), IsSealRed, frame).count, frame.width() * frame.height() / 2);
  EXPECT_GT(FindInk(canvas.Image(), IsWhite, frame).count, 800);
}

TEST_F(SampleInstallationTest, EveryJoinedStyleDrawsInkUnderItsHandle) {
  const QStringList seals{kSealOutline, kSealFilled};
  int drawn = 0;
  for (int i = 0; i < fontPaths.size(); ++i) {
    if (!fontPaths[i].endsWith(QStringLiteral(".dat")) || seals.contains(controls.entries[i])) continue;
    controls.fontIndex = i;
    controls.sizeText = QStringLiteral("48");
    Draw();
    const Ink ink = FindInk(canvas.Image(), IsDark);
    EXPECT_GT(ink.count, 800) << controls.entries[i].toStdString();
    EXPECT_TRUE(HandlePixels().adjusted(-6, -6, 6, 6).contains(ink.bounds))
        << controls.entries[i].toStdString();
    ++drawn;
  }
  EXPECT_GE(drawn, 1);
}

// Which font file each character of a name is drawn from in a style: the three parts of a style
// directory from its three files, every character of a single face (a seal's completion too)
// from its one file.
QList<std::pair<QString, QString>> CharactersByFont(const QString& style, const QString& path,
                                                    const QString& singleFaceNames,
                                                    const QString& table, const QString& name) {
  QList<std::pair<QString, QString>> drawn;
  if (path.endsWith(QStringLiteral(".dat"))) {
    const bool seal = style == kSealOutline || style == kSealFilled;
    for (const QString& character : NameCharacters(seal ? CompleteSealText(name) : name))
      drawn.append({path, character});
    return drawn;
  }
  const SignatureParts parts = SplitSignatureName(style, singleFaceNames, table, name, QString());
  for (const auto& [part, text] : {std::pair{1, parts.first}, {2, parts.middle}, {3, parts.last}})
    for (const QString& character : NameCharacters(text))
      drawn.append({path + QString::number(part) + QStringLiteral(".dat"), character});
  return drawn;
}

TEST_F(SampleInstallationTest, EveryChineseStyleDrawsEveryCharacterOfANameFromItsOwnFonts) {
  // A compound surname with a given name outside GB2312, and a character beyond 16 bits.
  for (const QString& name : {QStringLiteral("欧阳梓玥"), QStringLiteral("赵孟𫖯")}) {
    for (int i = 0; i < controls.entries.size(); ++i) {
      const QString& style = controls.entries[i];
      if (style.contains(QStringLiteral("英文签"))) continue;
      for (const auto& [path, character] :
           CharactersByFont(style, fontPaths[i], singleFaceNames, compoundSurnames, name)) {
        fonts.LoadFontFile(path);
        const QString file = QFileInfo(path).fileName();
        const QString face = file.contains(u'(')
                                 ? file.section(u'(', -1).section(u')', 0, 0)
                                 : QFileInfo(path).completeBaseName();
        canvas.SetFontName(face);
        // The face comes from the style's own file, and that file has the character: nothing
        // is left for the system's fallback fonts.
        EXPECT_EQ(fonts.ProviderOf(canvas.DrawnFamily()), path) << style.toStdString();
        EXPECT_TRUE(QRawFont::fromFont(QFont(canvas.DrawnFamily()))
                        .supportsCharacter(character.toUcs4().value(0)))
            << style.toStdString() << ": " << name.toStdString() << " " << character.toStdString()
            << " is not in " << path.toStdString();
        fonts.UnloadFontFile(path);
      }
    }
  }
  EXPECT_EQ(fonts.RegisteredPathCount(), 0);
}

// Pasted names and a Hebrew one (drawn by a fallback face) in every style: one outline printed
// per character a reader sees, and the canvas inked in its colour under 80 % of each outline.
TEST_F(SampleInstallationTest, EveryCharacterAReaderSeesOfAPastedNameIsInked) {
  VectorDrawing outlines;
  canvas.RecordShapes(&outlines);
  for (controls.fontIndex = 0; controls.fontIndex < controls.entries.size(); ++controls.fontIndex) {
    const QString& style = controls.entries[controls.fontIndex];
    controls.sizeText = IsSealStyle(style) ? QStringLiteral("48") : QStringLiteral("72");
    controls.ink = style == kSealFilled ? kWhite : IsSealStyle(style) ? kDarkRed : kBlack;
    for (const auto& [pasted, seen] : yz::testing::kPastedNames) {
      controls.textCN = controls.textEN = pasted;
      Draw();
      const qsizetype frame = IsSealStyle(style) ? 1 : 0;  // then the four cells
      EXPECT_EQ(outlines.shapes.size(), frame ? 5u : 3u) << style.toStdString();
      for (qsizetype i = frame; i < qsizetype(outlines.shapes.size()); ++i) {
        const QColor ink = outlines.shapes[i].colour;
        const auto isInk = [&](QRgb p) {
          return std::abs(qRed(p) - ink.red()) + std::abs(qGreen(p) - ink.green()) +
                     std::abs(qBlue(p) - ink.blue()) < 120;
        };
        QImage covered = canvas.Image();  // the outline's pixels in a colour no drawing uses
        QPainter(&covered).fillPath(outlines.shapes[i].path, QColor(0, 255, 0));
        const int inside = FindInk(covered, [](QRgb p) { return (p & 0xFFFFFF) == 0x00FF00; }).count;
        const int under = FindInk(canvas.Image(), isInk).count - FindInk(covered, isInk).count;
        EXPECT_GT(under, 0.8 * std::max(inside, 50)) << style.toStdString() << pasted.toStdString();
      }
    }
  }
}

}  // namespace
}  // namespace yz::test
