// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/draw_signature.h"

#include <QMap>

#include "app/style_rules.h"
#include "seams/failure.h"
#include "signature_fixture.h"
#include "support/pasted_names.h"

namespace yz::test {
namespace {

const QStringList kPreparation = {"Cls",          "LoadPicture /app/images/bg.jpg",
                                  "Picture 40x30", "FontName Courier New",
                                  "FontSize 72",  "ForeColor 0",
                                  "FontTransparent 1"};

class DrawSignatureTest : public SignatureTest {
 protected:
  DrawSignatureTest() {
    AddStyle(QStringLiteral("公文签"), QStringLiteral("/app/fonts/公文签/abc"));
    AddStyle(QStringLiteral("草书"), QStringLiteral("/app/fonts/电脑字/草书(ABC).dat"));
    singleFaceNames = QStringLiteral(",草书,");
    controls.textCN = QStringLiteral("纪元朗");
  }
  // The message of the Failure the drawing throws, or "" when it throws none.
  QString FailureOf(qint32 x = -1, qint32 y = -1) {
    try {
      Draw(x, y);
    } catch (const Failure& failure) {
      return failure.message();
    }
    return {};
  }
};

TEST_F(DrawSignatureTest, PreparesTheCanvasInOrderBeforeTheStyleDraws) {
  controls.sizeText = QStringLiteral("60.5");
  controls.ink = 192;
  Draw();
  QStringList expected = kPreparation;
  expected[4] = QStringLiteral("FontSize 60.5");
  expected[5] = QStringLiteral("ForeColor 192");
  EXPECT_EQ(journal.mid(0, 7), expected);
  EXPECT_EQ(canvas.Prints().size(), 3u);
  for (const auto& print : canvas.Prints()) {
    EXPECT_EQ(print.size, 60.5);
    EXPECT_EQ(print.colour, 192u);
    EXPECT_TRUE(print.transparent);
  }
}

TEST_F(DrawSignatureTest, NoBackgroundSelectedEndsTheCallAfterClearing) {
  controls.imgIndex = -1;
  EXPECT_FALSE(FailureOf().isEmpty());
  EXPECT_EQ(journal, QStringList{"Cls"});
  for (int index : {1001, 1, -2}) {
    controls.imgIndex = index;
    journal.clear();
    EXPECT_TRUE(FailureOf().contains(QString::number(index))) << index;
    EXPECT_EQ(journal, QStringList{"Cls"});
  }
}

TEST_F(DrawSignatureTest, AMissingBackgroundFailsWithItsPath) {
  backgroundPaths[0] = QStringLiteral("/app/images/gone.jpg");
  EXPECT_TRUE(FailureOf().contains(QStringLiteral("/app/images/gone.jpg")));
  EXPECT_EQ(journal, (QStringList{"Cls", "LoadPicture /app/images/gone.jpg"}));
}

TEST_F(DrawSignatureTest, ASizeThatIsNotASaneNumberStopsBeforeAnyText) {
  for (const char* size : {"", "abc", "12abc", "0", "-5", "1e9"}) {
    controls.sizeText = QString::fromUtf8(size);
    journal.clear();
    EXPECT_FALSE(FailureOf().isEmpty()) << size;
    EXPECT_EQ(journal, kPreparation.mid(0, 4)) << size;
    EXPECT_EQ(fonts.Calls().size(), 0);
  }
}

TEST_F(DrawSignatureTest, AStyleIndexOutsideTheTableFails) {
  controls.fontIndex = 1001;
  EXPECT_TRUE(FailureOf().contains(QStringLiteral("1001")));
  controls.fontIndex = 5;  // inside 0..1000 but past the styles there are
  EXPECT_TRUE(FailureOf().contains(QStringLiteral("5")));
}

TEST_F(DrawSignatureTest, NoStyleAtAllFailsClearly) {
  controls.entries.clear();
  fontPaths.clear();
  controls.fontIndex = -1;
  EXPECT_FALSE(FailureOf().isEmpty());
}

TEST_F(DrawSignatureTest, WithoutABackgroundTheGroundStaysAndTheNameIsDrawn) {
  DrawingRequest request = controls.Request(-1, -1);
  request.background.reset();
  const Drawing drawing = DrawSignature(
      request, TestInstallation(controls, fontPaths, backgroundPaths, singleFaceNames, {}),
      {canvas, fonts, pictures});
  EXPECT_FALSE(drawing.failure);
  EXPECT_TRUE(drawing.handle);
  EXPECT_EQ(journal.filter(QStringLiteral("LoadPicture")), QStringList());
  EXPECT_EQ(canvas.Prints().size(), 3u);
}

TEST_F(DrawSignatureTest, ACapitalDatIsASingleFaceFont) {
  fontPaths[1] = QStringLiteral("/app/fonts/电脑字/草书(ABC).DAT");
  controls.fontIndex = 1;
  Draw(0, 0);
  EXPECT_EQ(canvas.Prints().size(), 3u);
  EXPECT_EQ(canvas.Prints()[0].face, QStringLiteral("ABC"));
  EXPECT_EQ(fonts.Calls(), (QStringList{"Load " + fontPaths[1], "Unload " + fontPaths[1]}));
}

TEST_F(DrawSignatureTest, ASingleFaceFileNotEndingInDatDrawsOnlyTheBackground) {
  fontPaths[1] = QStringLiteral("/app/fonts/电脑字/草书(ABC).ttf");
  controls.fontIndex = 1;
  Draw();
  EXPECT_EQ(journal, kPreparation);
}

TEST_F(DrawSignatureTest, NoStyleSetsAFaceWhenNothingIsDrawn) {
  controls.textCN.clear();
  Draw();
  EXPECT_EQ(canvas.FontName(), QStringLiteral("Courier New"));
  EXPECT_EQ(journal, kPreparation);
}

// A pasted name draws as the characters a reader sees of it, in a style of each kind; a
// right-to-left one reads from the right: first letter rightmost (a seal keeps its cells' order).
TEST_F(DrawSignatureTest, PastedNamesDrawTheirVisibleCharactersAndRightToLeftOnesFromTheRight) {
  AddStyle(QStringLiteral("英文签"), QStringLiteral("/app/fonts/英文签/abc"));
  AddStyle(kSealOutline, QStringLiteral("/app/fonts/电脑字/篆印体(S).dat"));
  singleFaceNames = QStringLiteral(",草书,篆印体,");
  const auto drawnWith = [&](const QString& name) {
    controls.textCN = controls.textEN = name;
    journal.clear();
    canvas.ClearRecord();
    Draw();
    return journal;
  };
  for (controls.fontIndex = 0; controls.fontIndex < 4; ++controls.fontIndex) {
    const std::string style = controls.entries[controls.fontIndex].toStdString();
    for (const auto& [pasted, seen] : yz::testing::kPastedNames)
      EXPECT_EQ(drawnWith(pasted), drawnWith(seen)) << style;
    if (IsSealStyle(controls.entries[controls.fontIndex])) continue;
    drawnWith(QStringLiteral("חנה"));
    QMap<QString, float> x;
    for (const auto& print : canvas.Prints()) x[print.text] = print.x;
    EXPECT_EQ(x.keys(), (QStringList{"ה", "ח", "נ"})) << style;
    EXPECT_TRUE(x["ח"] > x["נ"] && x["נ"] > x["ה"]) << style;
  }
}

}  // namespace
}  // namespace yz::test
