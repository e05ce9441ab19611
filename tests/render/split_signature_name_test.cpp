// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "render/split_signature_name.h"

namespace yz {
namespace {

// A table in the installed layout: " XY-?Z" entries.
const QString kTable = QStringLiteral(" 欧阳-x娜 司马-y马 诸葛-z亮");

struct Parts {
  bool draw;
  QString first, middle, last;
};

void ExpectParts(const SignatureParts& got, const Parts& want) {
  EXPECT_EQ(got.draw, want.draw);
  EXPECT_EQ(got.first, want.first);
  EXPECT_EQ(got.middle, want.middle);
  EXPECT_EQ(got.last, want.last);
}

SignatureParts Chinese(const QString& name, const QString& table = kTable) {
  return SplitSignatureName(QStringLiteral("公文签"), QStringLiteral(",草书,"), table, name,
                            QStringLiteral("Latin"));
}

TEST(SplitSignatureName, OneCharacterSurnames) {
  ExpectParts(Chinese(QStringLiteral("纪元朗")), {true, "纪", "元", "朗"});
  ExpectParts(Chinese(QStringLiteral("纪元")), {true, "纪", "", "元"});
  ExpectParts(Chinese(QStringLiteral("纪")), {true, "纪", "", ""});
  ExpectParts(Chinese(QStringLiteral("纪元朗月")), {true, "纪", "元朗", "月"});
  ExpectParts(Chinese(QStringLiteral(" 纪元")), {true, " ", "纪", "元"});
}

TEST(SplitSignatureName, ACharacterBeyondSixteenBitsIsOneCharacter) {
  // 𬌗 (U+2C317) and 𫖯 (U+2B5AF) are surrogate pairs; a lone surrogate stays a unit of its own.
  ExpectParts(Chinese(QStringLiteral("王𬌗")), {true, "王", "", "𬌗"});
  ExpectParts(Chinese(QStringLiteral("𫖯")), {true, "𫖯", "", ""});
  ExpectParts(Chinese(QStringLiteral("𫖯𬌗王𫖯")), {true, "𫖯", "𬌗王", "𫖯"});
  ExpectParts(Chinese(QStringLiteral("欧阳𬌗")), {true, "娜", "", "𬌗"});
  ExpectParts(Chinese(QString(QChar(0xD800)) + QStringLiteral("王")), {true, QString(QChar(0xD800)), "", "王"});
  ExpectParts(SplitSignatureName(QStringLiteral("英文签"), QString(), kTable, QString(),
                                 QStringLiteral("O𝒮c")),
              {true, "O", "𝒮", "c"});
  ExpectParts(SplitSignatureName(QStringLiteral("英文签"), QString(), kTable, QString(),
                                 QStringLiteral("𝒪s")),
              {true, "𝒪", "", "s"});
}

TEST(SplitSignatureName, AnEmptyChineseNameDrawsNothing) {
  ExpectParts(Chinese(QString()), {false, "", "", ""});
}

TEST(SplitSignatureName, CompoundSurnamesBecomeTheTableCharacter) {
  ExpectParts(Chinese(QStringLiteral("欧阳")), {true, "娜", "", ""});
  ExpectParts(Chinese(QStringLiteral("欧阳娜")), {true, "娜", "", "娜"});
  ExpectParts(Chinese(QStringLiteral("司马光明")), {true, "马", "光", "明"});
  ExpectParts(Chinese(QStringLiteral("诸葛孔明亮")), {true, "亮", "孔明", "亮"});
}

TEST(SplitSignatureName, WithoutATableEverySurnameIsOneCharacter) {
  ExpectParts(Chinese(QStringLiteral("欧阳娜娜"), QString()), {true, "欧", "阳娜", "娜"});
}

TEST(SplitSignatureName, TheFirstOccurrenceOfTheSurnameDecidesTheCharacter) {
  // "欧阳" first stands inside another entry's text, four units before "Q".
  const QString table = QStringLiteral("x欧阳abQ 欧阳-x娜");
  ExpectParts(Chinese(QStringLiteral("欧阳娜"), table), {true, "Q", "", "娜"});
}

TEST(SplitSignatureName, ATableCharacterPastTheEndLeavesTheFirstPartEmpty) {
  ExpectParts(Chinese(QStringLiteral("欧阳娜"), QStringLiteral(" 欧阳-x")), {true, "", "", "娜"});
  ExpectParts(Chinese(QStringLiteral("欧阳"), QStringLiteral(" 欧阳-")), {true, "", "", ""});
}

TEST(SplitSignatureName, AOneCharacterNameIsLookedUpOnItsOwn) {
  ExpectParts(Chinese(QStringLiteral("欧"), QStringLiteral(" 欧-xyz")), {true, "z", "", ""});
}

TEST(SplitSignatureName, EnglishStylesCutTheLatinName) {
  auto latin = [](const QString& style, const QString& name) {
    return SplitSignatureName(style, QStringLiteral(",草书,"), kTable, QStringLiteral("纪元朗"), name);
  };
  ExpectParts(latin(QStringLiteral("英文签"), QStringLiteral("Osric")), {true, "O", "sri", "c"});
  ExpectParts(latin(QStringLiteral("花体英文签2"), QStringLiteral("Os")), {true, "O", "", "s"});
  ExpectParts(latin(QStringLiteral("英文签"), QStringLiteral("O")), {true, "O", "", ""});
  ExpectParts(latin(QStringLiteral("英文签"), QString()), {true, "", "", ""});
}

TEST(SplitSignatureName, ADirectoryStyleNamedLikeASingleFaceStyleDrawsNothing) {
  ExpectParts(SplitSignatureName(QStringLiteral("草书"), QStringLiteral(",行书,草书,"), kTable,
                                 QStringLiteral("纪元朗"), QStringLiteral("Osric")),
              {true, "", "", ""});
  // Only the whole name between commas counts.
  ExpectParts(SplitSignatureName(QStringLiteral("草"), QStringLiteral(",草书,"), kTable,
                                 QStringLiteral("纪元朗"), QString()),
              {true, "纪", "元", "朗"});
}

}  // namespace
}  // namespace yz
