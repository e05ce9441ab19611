// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/three_font_layout.h"

#include "seams/failure.h"
#include "signature_fixture.h"

namespace yz::test {
namespace {

const QString kPrefix = QStringLiteral("/app/fonts/公文签/abc");

// 纪元朗 in a style directory with prefix abc; each face its own width and height.
class ThreeFontTest : public SignatureTest {
 protected:
  ThreeFontTest() {
    AddStyle(QStringLiteral("公文签"), kPrefix);
    controls.textCN = QStringLiteral("纪元朗");
    canvas.SetFaceCharWidth(QStringLiteral("abc1"), 300);
    canvas.SetFaceCharWidth(QStringLiteral("abc2"), 320);
    canvas.SetFaceCharWidth(QStringLiteral("abc3"), 310);
    canvas.SetLineHeight(QStringLiteral("abc1"), 400);
    canvas.SetLineHeight(QStringLiteral("abc2"), 420);
    canvas.SetLineHeight(QStringLiteral("abc3"), 440);
  }
  static QString File(int n) { return kPrefix + QString::number(n) + QStringLiteral(".dat"); }
  QStringList Prints() const {
    QStringList prints;
    for (const QString& line : journal)
      if (line.startsWith(QStringLiteral("Print"))) prints << line;
    return prints;
  }
};

TEST_F(ThreeFontTest, DefaultPositionMeasuresThenPrintsEachPartInItsOwnRegisteredFace) {
  Draw();
  // Row width 930 centred on 5761 less 250, unrounded: 2165.5. Each part is centred on the
  // height of the face set last before it: abc3 after measuring, then abc1, then abc2.
  const QStringList expected = {
      "Load " + File(1), "FontName abc1", "TextWidth 纪 [abc1]", "Unload " + File(1),
      "Load " + File(2), "FontName abc2", "TextWidth 元 [abc2]", "Unload " + File(2),
      "Load " + File(3), "FontName abc3", "TextWidth 朗 [abc3]", "Unload " + File(3),
      "TextHeight 纪 [abc3]", "TextHeight 纪 [abc3]",
      "Load " + File(1), "FontName abc1", "Print 纪 @2165.5,1200 [abc1]", "Unload " + File(1),
      "TextHeight 元 [abc1]",
      "Load " + File(2), "FontName abc2", "Print 元 @2465.5,1220 [abc2]", "Unload " + File(2),
      "TextHeight 朗 [abc2]",
      "Load " + File(3), "FontName abc3", "Print 朗 @2785.5,1210 [abc3]", "Unload " + File(3)};
  EXPECT_EQ(JournalFrom(QStringLiteral("Load ")), expected);
  EXPECT_EQ(controls.HandleMove(), QStringLiteral("Move 2165.5,1200,930,440"));
  EXPECT_EQ(fonts.RegisteredPathCount(), 0);
  EXPECT_EQ(fonts.UnpairedUnloads(), 0);
  // The row's centre is 250 twips left of the canvas centre.
  EXPECT_FLOAT_EQ(controls.handle.left + controls.handle.width / 2, 5761.0f / 2 - 250);
}

TEST_F(ThreeFontTest, AGivenPositionPutsThePartsSideBySideOnOneTop) {
  Draw(120, 300);
  EXPECT_EQ(Prints(), (QStringList{"Print 纪 @120,300 [abc1]", "Print 元 @420,300 [abc2]",
                                   "Print 朗 @740,300 [abc3]"}));
  EXPECT_EQ(controls.handle.left, 120);
  EXPECT_EQ(controls.handle.top, 300);
  EXPECT_EQ(controls.handle.width, 930);
}

TEST_F(ThreeFontTest, EachCoordinateFollowsItsOwnRule) {
  Draw(120, -1);
  EXPECT_EQ(Prints(), (QStringList{"Print 纪 @120,1200 [abc1]", "Print 元 @420,1220 [abc2]",
                                   "Print 朗 @740,1210 [abc3]"}));
  journal.clear();
  Draw(-1, 300);
  EXPECT_EQ(Prints(), (QStringList{"Print 纪 @2165.5,300 [abc1]", "Print 元 @2465.5,300 [abc2]",
                                   "Print 朗 @2785.5,300 [abc3]"}));
}

TEST_F(ThreeFontTest, TwoCharactersLeaveOutTheMiddleFont) {
  controls.textCN = QStringLiteral("纪朗");
  Draw(100, 200);
  EXPECT_EQ(Prints(), (QStringList{"Print 纪 @100,200 [abc1]", "Print 朗 @400,200 [abc3]"}));
  EXPECT_FALSE(journal.join('\n').contains(File(2)));
  EXPECT_EQ(controls.handle.width, 610);
}

TEST_F(ThreeFontTest, OneCharacterPrintsOnlyTheFirstPart) {
  controls.textCN = QStringLiteral("纪");
  Draw();
  EXPECT_EQ(Prints(), (QStringList{"Print 纪 @2480.5,1220 [abc1]"}));
  EXPECT_EQ(controls.handle.width, 300);
  EXPECT_EQ(fonts.Calls(), (QStringList{"Load " + File(1), "Unload " + File(1), "Load " + File(1),
                                        "Unload " + File(1)}));
}

TEST_F(ThreeFontTest, ACompoundSurnameAloneDrawsItsTableCharacterInTheFirstFont) {
  compoundSurnames = QStringLiteral(" 欧阳-x娜");
  controls.textCN = QStringLiteral("欧阳");
  Draw(0, 0);
  EXPECT_EQ(Prints(), (QStringList{"Print 娜 @0,0 [abc1]"}));
  controls.textCN = QStringLiteral("欧阳娜娜");
  journal.clear();
  Draw(0, 0);
  EXPECT_EQ(Prints(), (QStringList{"Print 娜 @0,0 [abc1]", "Print 娜 @300,0 [abc2]",
                                   "Print 娜 @620,0 [abc3]"}));
}

TEST_F(ThreeFontTest, AnEmptyLatinNameInAnEnglishStyleDrawsNothingAndLeavesTheHandle) {
  controls.entries[0] = QStringLiteral("英文签");
  controls.textEN.clear();
  Draw();
  EXPECT_TRUE(Prints().isEmpty());
  EXPECT_EQ(controls.moves, 0);
  EXPECT_TRUE(fonts.Calls().isEmpty());

  controls.textEN = QStringLiteral("Osric");
  Draw(0, 0);
  EXPECT_EQ(Prints(), (QStringList{"Print O @0,0 [abc1]", "Print sri @300,0 [abc2]",
                                   "Print c @1260,0 [abc3]"}));
}

TEST_F(ThreeFontTest, AnEmptyPrefixUsesFilesOneTwoThreeInTheDirectory) {
  fontPaths[0] = QStringLiteral("/app/fonts/空/");
  Draw(0, 0);
  EXPECT_EQ(Prints(),
            (QStringList{"Print 纪 @0,0 [1]", "Print 元 @300,0 [2]", "Print 朗 @600,0 [3]"}));
  EXPECT_TRUE(fonts.Calls().contains(QStringLiteral("Load /app/fonts/空/3.dat")));
}

TEST_F(ThreeFontTest, AnEmptyChineseNameLeavesTheBackgroundAlone) {
  controls.textCN.clear();
  Draw();
  EXPECT_TRUE(canvas.Prints().empty());
  EXPECT_TRUE(canvas.OpsOf(QStringLiteral("TextWidth")).empty());
  EXPECT_EQ(controls.moves, 0);
}

TEST_F(ThreeFontTest, AFailingMeasureLeavesNoFontRegistered) {
  canvas.SetFaceCharWidth(QStringLiteral("abc2"), 3e9f);  // a width past the 32-bit range
  EXPECT_THROW(Draw(), Failure);
  EXPECT_EQ(fonts.RegisteredPathCount(), 0);
  EXPECT_TRUE(Prints().isEmpty());
}

TEST_F(ThreeFontTest, AGivenPositionNearTheLimitFailsInsteadOfWrapping) {
  EXPECT_THROW(Draw(2147483600, 0), Failure);
  EXPECT_EQ(fonts.RegisteredPathCount(), 0);
}

}  // namespace
}  // namespace yz::test
