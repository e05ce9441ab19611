// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs under run_restricted.sh: only the fonts a fresh machine and the set-up provide are visible.
#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>

#include "app/catalogue.h"
#include "seams/message_box.h"
#include "render/control_fonts.h"

namespace {

// Characters of `text` that the resolved face itself lacks (fallback faces don't count: on a
// fresh machine there may be none).
QString MissingGlyphs(const QFont& font, const QString& text) {
  const QFontMetrics metrics(font);
  QString missing;
  for (const uint ucs4 : text.toUcs4()) {
    if (ucs4 > 0x20 && !metrics.inFontUcs4(ucs4)) missing += QString::fromUcs4(reinterpret_cast<const char32_t*>(&ucs4), 1);
  }
  return missing;
}

class ControlFontsOnFreshMachine : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { yz::InstallControlFontSubstitutes(); }
};

TEST_F(ControlFontsOnFreshMachine, OnlyTheSetUpsFontsAreVisible) {
  const QStringList families = QFontDatabase::families();
  EXPECT_FALSE(families.contains("LXGW WenKai")) << "the restricted configuration leaks fonts";
  EXPECT_TRUE(families.contains("AR PL UMing CN"));
  EXPECT_TRUE(families.contains("WenQuanYi Micro Hei"));
  EXPECT_TRUE(families.contains("Liberation Mono"));
}

TEST_F(ControlFontsOnFreshMachine, ListsUseASongFaceThatHasEveryListedName) {
  QFont lists(QStringLiteral("宋体"), 12);
  EXPECT_EQ(QFontInfo(lists).family(), "AR PL UMing CN");

  const yz::Catalogue catalogue = yz::LoadCatalogue(QStringLiteral(YZ_APP_DIR "/"));
  ASSERT_FALSE(catalogue.styleNames.isEmpty()) << "no sample installation at " YZ_APP_DIR;
  ASSERT_FALSE(catalogue.backgroundNames.isEmpty());
  QString texts = catalogue.styleNames.join(QString()) + catalogue.backgroundNames.join(QString());
  texts += QStringLiteral("0123456789");
  EXPECT_EQ(MissingGlyphs(lists, texts), QString());
}

TEST_F(ControlFontsOnFreshMachine, NameBoxesUseCourierMetricsAndStillDrawChinese) {
  QFont boxes(QStringLiteral("Courier New"));
  boxes.setPointSizeF(14.25);
  EXPECT_EQ(QFontInfo(boxes).family(), "Liberation Mono");
  EXPECT_EQ(MissingGlyphs(boxes, QStringLiteral("Osric")), QString());
  // The Chinese name comes from the next face in the substitution list.
  QFont chinese(QStringLiteral("WenQuanYi Micro Hei Mono"));
  EXPECT_EQ(MissingGlyphs(chinese, QStringLiteral("纪元朗欧阳娜娜")), QString());
  EXPECT_TRUE(QFont::substitutes("Courier New").contains("WenQuanYi Micro Hei Mono", Qt::CaseInsensitive));
}

TEST_F(ControlFontsOnFreshMachine, MessageBoxesAndDialogsUseACjkSansFace) {
  const QFont dialogs = QApplication::font();
  EXPECT_EQ(QFontInfo(dialogs).family(), "WenQuanYi Micro Hei");
  const QString messages = yz::kAppTitle + QStringLiteral(
      "砚舟签名设计软件 免费版不存在该文件或该文件不能访问！保存完毕！保存签名图片错误号: 错误描述: "
      "字号必须是数字按住文字可以拖动到你想要的位置哦");
  EXPECT_EQ(MissingGlyphs(dialogs, messages), QString());
}

}  // namespace
