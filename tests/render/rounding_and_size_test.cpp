// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "render/face_names.h"
#include "render/font_size.h"
#include "render/rounding.h"
#include "seams/failure.h"

namespace yz {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2165.5), 2166);
}

TEST(RoundHalfEven, OtherValuesGoToTheNearest) {
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
  EXPECT_EQ(RoundHalfEven(-2.6), -3);
  EXPECT_EQ(RoundHalfEven(2147483647.0), 2147483647);
  EXPECT_EQ(RoundHalfEven(-2147483648.0), -2147483647 - 1);
}

TEST(RoundHalfEven, ValuesOutsideThe32BitRangeFailInsteadOfWrapping) {
  EXPECT_THROW(RoundHalfEven(2147483648.0), Failure);
  EXPECT_THROW(RoundHalfEven(-2147483649.0), Failure);
  EXPECT_THROW(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), Failure);
  EXPECT_THROW(RoundHalfEven(std::numeric_limits<double>::infinity()), Failure);
  EXPECT_THROW(CheckedSum(qint64(2147483647) + 1), Failure);
  EXPECT_EQ(CheckedSum(qint64(2147483646) + 1), 2147483647);
}

TEST(ParseFontSize, ReadsNumbersTheWayANumberConversionDoes) {
  EXPECT_DOUBLE_EQ(ParseFontSize(QStringLiteral("72")), 72);
  EXPECT_DOUBLE_EQ(ParseFontSize(QStringLiteral("60.5")), 60.5);
  EXPECT_DOUBLE_EQ(ParseFontSize(QStringLiteral("  12")), 12);
  EXPECT_DOUBLE_EQ(ParseFontSize(QStringLiteral("12 ")), 12);
  EXPECT_DOUBLE_EQ(ParseFontSize(QStringLiteral("1")), 1);
  EXPECT_DOUBLE_EQ(ParseFontSize(QString::number(kMaxFontPoints)), kMaxFontPoints);
}

TEST(ParseFontSize, TextThatIsNotANumberFailsWithTheText) {
  for (const char* text : {"", "   ", "abc", "12abc", "1,5", "nan", "inf"}) {
    try {
      ParseFontSize(QString::fromUtf8(text));
      ADD_FAILURE() << "accepted " << text;
    } catch (const Failure& failure) {
      EXPECT_TRUE(failure.message().startsWith(QStringLiteral("字号必须是数字"))) << text;
    }
  }
}

TEST(ParseFontSize, AbsurdSizesFailClearly) {
  for (const char* text : {"0", "-5", "0.5", "1e9", "1001"}) {
    try {
      ParseFontSize(QString::fromUtf8(text));
      ADD_FAILURE() << "accepted " << text;
    } catch (const Failure& failure) {
      EXPECT_TRUE(failure.message().contains(QStringLiteral("超出范围"))) << text;
      EXPECT_TRUE(failure.message().contains(QString::fromUtf8(text)));
    }
  }
}

TEST(FaceNames, StyleFilesAreNamedUpToTheFirstDot) {
  EXPECT_EQ(FaceNameOf(QStringLiteral("/app/fonts/公文签/abc1.dat")), QStringLiteral("abc1"));
  EXPECT_EQ(FaceNameOf(QStringLiteral("/app/fonts/公文签/1.dat")), QStringLiteral("1"));
  EXPECT_EQ(FaceNameOf(QStringLiteral("/app/fonts/a.b/x.y1.dat")), QStringLiteral("x"));
}

TEST(FaceNames, SingleFaceFilesAreNamedBetweenTheLastParenthesesPair) {
  EXPECT_EQ(SingleFaceNameOf(QStringLiteral("/app/fonts/电脑字/草书(ABC).dat")), QStringLiteral("ABC"));
  EXPECT_EQ(SingleFaceNameOf(QStringLiteral("/app/fonts(x)/电脑字/草书(ABC).dat")),
            QStringLiteral("ABC"));
  EXPECT_EQ(SingleFaceNameOf(QStringLiteral("/app/电脑字/草书(ABC.dat")), QStringLiteral("ABC.dat"));
  EXPECT_EQ(SingleFaceNameOf(QStringLiteral("/app/a)b/草书.dat")), QStringLiteral("/app/a"));
  EXPECT_EQ(SingleFaceNameOf(QStringLiteral("/app/草书.dat")), QStringLiteral("/app/草书.dat"));
}

}  // namespace
}  // namespace yz
