// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/joined_layout.h"
#include "render/seal_layout.h"
#include "signature_fixture.h"

namespace yz::test {
namespace {

const QString kJoinedFile = QStringLiteral("/app/fonts/电脑字/草书(ABC).dat");

class JoinedTest : public SignatureTest {
 protected:
  JoinedTest() {
    AddStyle(QStringLiteral("草书"), kJoinedFile);
    singleFaceNames = QStringLiteral(",草书,");
    canvas.SetCharWidth(QStringLiteral("ABC"), QStringLiteral("A"), 300);
    canvas.SetCharWidth(QStringLiteral("ABC"), QStringLiteral("B"), 320);
    canvas.SetCharWidth(QStringLiteral("ABC"), QStringLiteral("C"), 310);
  }
};

TEST_F(JoinedTest, EachCharacterStartsTwoHundredTwipsBeforeThePreviousEnds) {
  controls.textCN = QStringLiteral("ABC");
  Draw(1000, 50);
  // Measuring aside, the branch registers, selects the face, prints, unregisters.
  QStringList steps;
  for (const QString& line : JournalFrom(QStringLiteral("Load /")))
    if (!line.startsWith(QStringLiteral("Text"))) steps << line;
  EXPECT_EQ(controls.HandleMove(), QStringLiteral("Move 1000,50,530,400"));
  EXPECT_EQ(steps, (QStringList{"Load " + kJoinedFile, "FontName ABC", "Print A @1000,50 [ABC]", "Print B @1100,50 [ABC]",
                                "Print C @1220,50 [ABC]", "Unload " + kJoinedFile}));
  QStringList prints = journal.filter(QStringLiteral("Print"));
  EXPECT_EQ(prints, (QStringList{"Print A @1000,50 [ABC]", "Print B @1100,50 [ABC]",
                                 "Print C @1220,50 [ABC]"}));
  EXPECT_EQ(controls.handle.width, 530);  // 930 − 2 × 200
  EXPECT_EQ(journal.last(), "Unload " + kJoinedFile);
  EXPECT_EQ(fonts.RegisteredPathCount(), 0);
}

TEST_F(JoinedTest, StartsAreRoundedHalfToEvenAtEveryStep) {
  canvas.SetCharWidth(QStringLiteral("ABC"), QStringLiteral("A"), 300.5f);
  canvas.SetCharWidth(QStringLiteral("ABC"), QStringLiteral("B"), 301.5f);
  controls.textCN = QStringLiteral("ABC");
  Draw(1000, 50);
  // 1000 + 300.5 − 200 = 1100.5 → 1100; 1100 + 301.5 − 200 = 1201.5 → 1202.
  EXPECT_EQ(journal.filter(QStringLiteral("Print")),
            (QStringList{"Print A @1000,50 [ABC]", "Print B @1100,50 [ABC]",
                         "Print C @1202,50 [ABC]"}));
}

TEST_F(JoinedTest, AnEmptyNameMovesAHandleTwoHundredWideToTheRoundedCentre) {
  Draw();
  // (5761 − 0) / 2 − 250 = 2630.5, an exact half: even 2630.
  EXPECT_EQ(controls.HandleMove(), QStringLiteral("Move 2630,1220,200,400"));
  EXPECT_TRUE(canvas.Prints().empty());
  EXPECT_EQ(fonts.RegisteredPathCount(), 0);
}

TEST_F(JoinedTest, OneCharacterGetsAHandleExactlyItsWidth) {
  controls.textCN = QStringLiteral("B");
  Draw();
  EXPECT_EQ(controls.handle.width, 320);
  EXPECT_EQ(controls.handle.left, 2470);  // (5761 − 320) / 2 − 250 = 2470.5 → 2470
  EXPECT_EQ(canvas.Prints().size(), 1u);
}

TEST_F(JoinedTest, AtSmallSizesTheHandleNeverShrinksBelowOneCharacter) {
  canvas.SetFaceCharWidth(QStringLiteral("ABC"), 90);
  canvas.SetCharWidth(QStringLiteral("ABC"), QStringLiteral("A"), 90);
  canvas.SetCharWidth(QStringLiteral("ABC"), QStringLiteral("B"), 120);
  canvas.SetCharWidth(QStringLiteral("ABC"), QStringLiteral("C"), 90);
  controls.textCN = QStringLiteral("ABC");  // 300 − 400 would be −100
  Draw(0, 0);
  EXPECT_EQ(controls.handle.width, 120);
}

TEST_F(JoinedTest, ACharacterBeyondSixteenBitsIsPrintedWhole) {
  canvas.SetCharWidth(QStringLiteral("ABC"), QStringLiteral("𬌗"), 330);
  controls.textCN = QStringLiteral("A𬌗C");
  Draw(1000, 50);
  EXPECT_EQ(journal.filter(QStringLiteral("Print")),
            (QStringList{"Print A @1000,50 [ABC]", "Print 𬌗 @1100,50 [ABC]",
                         "Print C @1230,50 [ABC]"}));
  EXPECT_EQ(controls.handle.width, 540);  // 940 − 2 × 200: three characters, not four
}

TEST_F(JoinedTest, TheFaceIsTakenFromTheFileNamesParentheses) {
  fontPaths[0] = QStringLiteral("/app/fonts(旧)/电脑字/草书(XYZ).dat");
  controls.textCN = QStringLiteral("A");
  Draw(0, 0);
  EXPECT_EQ(canvas.Prints()[0].face, QStringLiteral("XYZ"));
}

// Seals: face ZY, every character 900 wide and 1000 high, on a canvas 6000 twips wide.
class SealTest : public SignatureTest {
 protected:
  SealTest() : SignatureTest(6000) {
    AddStyle(kSealOutline, QStringLiteral("/app/fonts/电脑字/篆印体(ZY).dat"));
    AddStyle(kSealFilled, QStringLiteral("/app/fonts/电脑字/篆印体阴文(ZY).dat"));
    singleFaceNames = QStringLiteral(",篆印体,篆印体-阴文,");
    canvas.SetFaceCharWidth(QStringLiteral("ZY"), 900);
    canvas.SetLineHeight(QStringLiteral("ZY"), 1000);
  }
  QStringList Cells() const { return journal.filter(QStringLiteral("Print")); }
};

TEST_F(SealTest, TwoCharactersAreCompletedWithZhiYinAndReadRightColumnFirst) {
  controls.textCN = QStringLiteral("AB");
  Draw();
  // x = (6000 − 1800) / 2 − 250 − 500 = 1350; y = (3840 − 1000) / 2 − 500 − 400 = 520.
  EXPECT_EQ(controls.HandleMove(), QStringLiteral("Move 1350,520,1800,2000"));
  EXPECT_EQ(JournalFrom(QStringLiteral("DrawMode")),
            (QStringList{"DrawMode 13",
                         "Line B 1250,460-3150,2520 192", "Print 之 @1350,520 [ZY]",
                         "Print A @2250,520 [ZY]", "Print 印 @1350,1520 [ZY]",
                         "Print B @2250,1520 [ZY]", "Unload /app/fonts/电脑字/篆印体(ZY).dat"}));
  EXPECT_EQ(fonts.RegisteredPathCount(), 0);
}

TEST_F(SealTest, ThreeAndFourCharacters) {
  controls.textCN = QStringLiteral("ABC");
  Draw(0, 0);
  EXPECT_EQ(Cells(), (QStringList{"Print C @0,0 [ZY]", "Print A @900,0 [ZY]",
                                  "Print 印 @0,1000 [ZY]", "Print B @900,1000 [ZY]"}));
  journal.clear();
  controls.textCN = QStringLiteral("ABCD");
  Draw(0, 0);
  EXPECT_EQ(Cells(), (QStringList{"Print C @0,0 [ZY]", "Print A @900,0 [ZY]",
                                  "Print D @0,1000 [ZY]", "Print B @900,1000 [ZY]"}));
}

TEST_F(SealTest, CharactersBeyondSixteenBitsCountAsOne) {
  controls.textCN = QStringLiteral("王𬌗");  // two characters: completed with 之印
  Draw(0, 0);
  EXPECT_EQ(Cells(), (QStringList{"Print 之 @0,0 [ZY]", "Print 王 @900,0 [ZY]",
                                  "Print 印 @0,1000 [ZY]", "Print 𬌗 @900,1000 [ZY]"}));
  journal.clear();
  controls.textCN = QStringLiteral("𫖯𬌗王");  // three: completed with 印
  Draw(0, 0);
  EXPECT_EQ(Cells(), (QStringList{"Print 王 @0,0 [ZY]", "Print 𫖯 @900,0 [ZY]",
                                  "Print 印 @0,1000 [ZY]", "Print 𬌗 @900,1000 [ZY]"}));
}

TEST_F(SealTest, OneOrFiveCharactersGiveAnEmptyFrameAndStillMoveTheHandle) {
  for (const char* name : {"A", "ABCDE"}) {
    journal.clear();
    controls.textCN = QString::fromUtf8(name);
    Draw(0, 0);
    EXPECT_TRUE(Cells().isEmpty()) << name;
    EXPECT_EQ(journal.filter(QStringLiteral("Line B ")).size(), 1) << name;
    EXPECT_EQ(controls.HandleMove(), QStringLiteral("Move 0,0,1800,2000")) << name;
  }
}

TEST_F(SealTest, TheFilledStyleDrawsTheSquareBeforeTheCharacters) {
  controls.fontIndex = 1;
  controls.ink = kWhite;
  controls.textCN = QStringLiteral("AB");
  Draw(0, 0);
  const QStringList tail = JournalFrom(QStringLiteral("Line"));
  EXPECT_EQ(tail.first(), QStringLiteral("Line BF -100,-60-1800,2000 192"));
  EXPECT_EQ(tail.filter(QStringLiteral("Print")).size(), 4);
  for (const auto& print : canvas.Prints()) EXPECT_EQ(print.colour, kWhite);
}

TEST_F(SealTest, DraggingMovesTheFrameWithTheGrid) {
  controls.textCN = QStringLiteral("AB");
  Draw(3000, 100);
  EXPECT_TRUE(journal.contains(QStringLiteral("Line B 2900,40-4800,2100 192")));
  EXPECT_EQ(controls.HandleMove(), QStringLiteral("Move 3000,100,1800,2000"));
}

TEST_F(SealTest, TheSecondColumnIsRoundedButTheFrameEndsAtTheGridsEdge) {
  canvas.SetFaceCharWidth(QStringLiteral("ZY"), 900.5f);
  controls.textCN = QStringLiteral("AB");
  Draw(1000, 0);
  // X2 = 1000 + 900.5 = 1900.5 → 1900; the frame reaches X2 + w = 2800.5.
  EXPECT_TRUE(journal.contains(QStringLiteral("Print A @1900,0 [ZY]")));
  EXPECT_TRUE(journal.contains(QStringLiteral("Line B 900,-60-2800.5,2000 192")));
}

TEST_F(SealTest, ADirectoryStyleNamedLikeASealNeverDrawsASeal) {
  fontPaths[0] = QStringLiteral("/app/fonts/篆印体/zya");
  controls.textCN = QStringLiteral("AB");
  Draw();
  EXPECT_TRUE(canvas.OpsOf(QStringLiteral("Line")).empty());
  EXPECT_TRUE(canvas.Prints().empty());  // its name is a single-face style's: nothing drawn
  singleFaceNames = QStringLiteral(",");
  Draw();
  EXPECT_TRUE(canvas.OpsOf(QStringLiteral("Line")).empty());
  EXPECT_EQ(canvas.Prints().size(), 2u);
}

}  // namespace
}  // namespace yz::test
