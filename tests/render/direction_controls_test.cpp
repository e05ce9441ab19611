// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/direction_controls.h"

#include <QMap>
#include <algorithm>

#include "app/style_rules.h"
#include "render/name_characters.h"
#include "render/seal_layout.h"
#include "signature_fixture.h"

namespace yz::test {
namespace {

// Names as pasted, each with the characters a reader sees of it.
const std::pair<QString, QString> kPastedNames[] = {
    {QStringLiteral("\u202e纪元朗\u202d\u202c"), QStringLiteral("纪元朗")},
    {QStringLiteral("纪元\u202e朗"), QStringLiteral("纪元朗")},
    {QStringLiteral("\u200f纪\u200f元朗\u200e\u061c"), QStringLiteral("纪元朗")},
    {QStringLiteral("\u202b纪元\u202c\u202a朗\u202c"), QStringLiteral("纪元朗")},
    {QStringLiteral("\u2067纪\u2069\u2066元\u2069\u2068朗\u2069"), QStringLiteral("纪元朗")},
    {QStringLiteral("\u202bשלמה\u202c\u200f"), QStringLiteral("שלמה")},
};

TEST(DirectionControls, EveryBidiControlGoesAndNothingElse) {
  QString controls;
  for (char16_t c : {0x061C, 0x200E, 0x200F, 0x202A, 0x202B, 0x202C, 0x202D, 0x202E, 0x2066,
                     0x2067, 0x2068, 0x2069})
    controls += QChar(c);
  EXPECT_EQ(WithoutDirectionControls(controls + QStringLiteral("纪") + controls + QStringLiteral("元")), QStringLiteral("纪元"));
  const QString kept = QStringLiteral("纪\u200b\u200d\u00ad\ufeffשa") + QString::fromUcs4(U"\U0002A6A5");
  EXPECT_EQ(WithoutDirectionControls(kept), kept);
}

class PastedNameTest : public SignatureTest {
 protected:
  PastedNameTest() {
    AddStyle(QStringLiteral("公文签"), QStringLiteral("/app/fonts/公文签/abc"));
    AddStyle(QStringLiteral("英文签"), QStringLiteral("/app/fonts/英文签/abc"));
    AddStyle(QStringLiteral("草书"), QStringLiteral("/app/fonts/电脑字/草书(C).dat"));
    AddStyle(kSealOutline, QStringLiteral("/app/fonts/电脑字/篆印体(S).dat"));
    singleFaceNames = QStringLiteral(",草书,篆印体,");
  }
  QStringList DrawnWith(const QString& name) {
    controls.textCN = controls.textEN = name;
    journal.clear();
    canvas.ClearRecord();
    Draw();
    return journal;
  }
};

TEST_F(PastedNameTest, EveryStyleDrawsAPastedNameExactlyAsWhatAReaderSeesOfIt) {
  for (int style = 0; style < controls.entries.size(); ++style) {
    controls.fontIndex = style;
    const bool seal = IsSealStyle(controls.entries[style]);
    for (const auto& [pasted, seen] : kPastedNames) {
      SCOPED_TRACE(controls.entries[style].toStdString() + ": " + pasted.toStdString());
      const QStringList expected = DrawnWith(seen);
      EXPECT_EQ(DrawnWith(pasted), expected);
      QStringList printed;
      for (const auto& print : canvas.Prints()) printed += NameCharacters(print.text);
      QStringList characters = NameCharacters(seal ? CompleteSealText(seen) : seen);
      std::sort(printed.begin(), printed.end());
      std::sort(characters.begin(), characters.end());
      EXPECT_EQ(printed, characters);
    }
  }
}

// The name's first letter stands rightmost and its last leftmost (the seal keeps its own cells).
TEST_F(PastedNameTest, ARightToLeftNameReadsFromTheRight) {
  for (int style = 0; style < 3; ++style) {
    controls.fontIndex = style;
    DrawnWith(QStringLiteral("\u202bחנה\u202c"));
    QMap<QString, float> x;
    for (const auto& print : canvas.Prints()) x[print.text] = print.x;
    EXPECT_EQ(x.keys(), (QStringList{"ה", "ח", "נ"})) << controls.entries[style].toStdString();
    EXPECT_GT(x["ח"], x["נ"]) << controls.entries[style].toStdString();
    EXPECT_GT(x["נ"], x["ה"]) << controls.entries[style].toStdString();
  }
}

}  // namespace
}  // namespace yz::test
