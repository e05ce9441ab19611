// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QMap>

#include "app/style_rules.h"
#include "signature_fixture.h"
#include "support/pasted_names.h"

namespace yz::test {
namespace {

// A style of each kind: three fonts for the Chinese and for the Latin-letter name, joined, seal.
class PastedNameTest : public SignatureTest {
 protected:
  PastedNameTest() {
    for (const QString& style : {QStringLiteral("公文签"), QStringLiteral("英文签")})
      AddStyle(style, QStringLiteral("/app/fonts/%1/abc").arg(style));
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

TEST_F(PastedNameTest, EveryStyleDrawsAPastedNameAsTheCharactersAReaderSees) {
  for (controls.fontIndex = 0; controls.fontIndex < 4; ++controls.fontIndex)
    for (const auto& [pasted, seen] : yz::testing::kPastedNames)
      EXPECT_EQ(DrawnWith(pasted), DrawnWith(seen)) << controls.entries[controls.fontIndex].toStdString();
}

// The first letter stands rightmost, the last leftmost; the seal keeps its cells' order.
TEST_F(PastedNameTest, ARightToLeftNameReadsFromTheRight) {
  for (controls.fontIndex = 0; controls.fontIndex < 3; ++controls.fontIndex) {
    DrawnWith(QStringLiteral("חנה"));
    QMap<QString, float> x;
    for (const auto& print : canvas.Prints()) x[print.text] = print.x;
    EXPECT_EQ(x.keys(), (QStringList{"ה", "ח", "נ"}));
    EXPECT_TRUE(x["ח"] > x["נ"] && x["נ"] > x["ה"]) << controls.entries[controls.fontIndex].toStdString();
  }
}

}  // namespace
}  // namespace yz::test
