// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QKeyEvent>
#include <QApplication>

#include "app/style_rules.h"
#include "window_fixture.h"

using namespace yz;
using yz::testing::WindowTest;

TEST(StyleRules, CapsAndInks) {
  EXPECT_EQ(StyleRuleFor("篆印体").sizeCap, 48);
  EXPECT_EQ(StyleRuleFor("篆印体").ink, 192u);
  EXPECT_EQ(StyleRuleFor("篆印体-阴文").ink, 0xFFFFFFu);
  EXPECT_EQ(StyleRuleFor("英文签2").sizeCap, 72);
  EXPECT_EQ(StyleRuleFor("毛体2").ink, 0u);
}

TEST(StyleRules, LeadingNumberReadsTheNumberAtTheStart) {
  EXPECT_EQ(LeadingNumber("72"), 72);
  EXPECT_EQ(LeadingNumber("  60.5"), 60.5);
  EXPECT_EQ(LeadingNumber("1 2"), 12);  // blanks anywhere are ignored
  EXPECT_EQ(LeadingNumber("12abc"), 12);
  EXPECT_EQ(LeadingNumber("1e9"), 1e9);
  EXPECT_EQ(LeadingNumber("abc"), 0);
  EXPECT_EQ(LeadingNumber(""), 0);
  EXPECT_EQ(LeadingNumber("-5"), -5);
}

TEST_F(WindowTest, LoadFillsTheListsAndDrawsOnce) {
  EXPECT_EQ(window->cboFont->count(), 7);
  EXPECT_EQ(window->cboFont->currentText(), "公文签");
  EXPECT_EQ(window->cboImg->currentText(), "宣纸");  // entry 1, the second picture
  EXPECT_EQ(window->cboSize->count(), 19);
  EXPECT_EQ(window->cboSize->itemText(12), "100");
  EXPECT_EQ(window->cboSize->itemText(18), "190");
  EXPECT_EQ(window->cboSize->currentText(), "72");
  EXPECT_EQ(window->lblColorPreview->BackColor(), kBlack);
  EXPECT_FALSE(window->IsLoading());
  // The background list's own click loads its picture; the final redraw loads it again.
  EXPECT_EQ(pictures.loads, 2);
  EXPECT_TRUE(messages.shown.isEmpty());
  EXPECT_EQ(window->catalogue.SingleFaceNames, ",篆印体,篆印体-阴文,行楷,");
}

TEST_F(WindowTest, WindowLayout) {
  EXPECT_EQ(window->size(), QSize(719, 459));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_EQ(window->windowTitle(), "砚舟签名设计软件 免费版");
  EXPECT_EQ(window->cboFont->geometry(), QRect(552, 101, 108, 24));
  EXPECT_EQ(window->picMain->geometry(), QRect(39, 153, 388, 261));
  EXPECT_EQ(window->txtCN->text(), "纪元朗");
  EXPECT_EQ(window->txtEN->text(), "Osric");
  EXPECT_EQ(window->imgMove->toolTip(), "按住文字可以拖动到你想要的位置哦");
  EXPECT_TRUE(window->cboSize->isEditable());
  EXPECT_FALSE(window->cboFont->isEditable());
  for (QWidget* w : std::initializer_list<QWidget*>{window->imgMove, window->imgLogo, window->imgSave,
                                                     window->imgPrint, window->imgHelp, window->imgUrlMore}) {
    EXPECT_EQ(w->cursor().shape(), Qt::PointingHandCursor);
  }
  EXPECT_NE(window->cboFont->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_NE(window->picMain->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(WindowTest, ChoosingAStyleCapsTheSizeAndSetsItsInk) {
  const struct {
    QString size, style, expectedSize;
    Colour ink;
  } cases[] = {{"72", "篆印体", "48", 192},        {"36", "篆印体-阴文", "36", kWhite},
               {"100", "毛体2", "72", kBlack},     {"48", "篆印体", "48", 192},
               {"abc", "篆印体", "abc", 192},      {"", "公文签", "", kBlack},
               {"60.5", "篆印体", "48", 192},      {"60.5", "毛体", "60.5", kBlack},
               {"100", "英文签2", "72", kBlack}};
  for (const auto& c : cases) {
    window->cboSize->setEditText(c.size);
    messages.shown.clear();
    Pick(window->cboFont, c.style);
    EXPECT_EQ(window->cboSize->currentText(), c.expectedSize) << c.size.toStdString() << c.style.toStdString();
    EXPECT_EQ(window->lblColorPreview->BackColor(), c.ink) << c.style.toStdString();
  }
}

TEST_F(WindowTest, AnUnreadableSizeIsReportedOnceAndTheWindowGoesOn) {
  window->cboSize->setEditText("abc");
  Pick(window->cboFont, "毛体");
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].style, 48);
  EXPECT_EQ(window->lblColorPreview->BackColor(), kBlack);  // work before the failure stays
}

TEST_F(WindowTest, ANewStyleReplacesAPickedInk) {
  colorDialog.answer = {true, 0xFF0000};
  emit window->lblColorPreview->Click();
  EXPECT_EQ(window->lblColorPreview->BackColor(), 0xFF0000u);
  Pick(window->cboFont, "毛体");
  EXPECT_EQ(window->lblColorPreview->BackColor(), kBlack);
  Pick(window->cboFont, "公文签");
  EXPECT_EQ(window->lblColorPreview->BackColor(), kBlack);
}

TEST_F(WindowTest, CancellingTheColourDialogStillRedraws) {
  const int before = pictures.loads;
  colorDialog.answer = {false, 0x00FF00};
  emit window->lblColorPreview->Click();
  EXPECT_EQ(window->lblColorPreview->BackColor(), kBlack);
  EXPECT_EQ(pictures.loads, before + 1);
  EXPECT_EQ(colorDialog.requests.last().initial, kBlack);
}

TEST_F(WindowTest, NameChangesRedrawUntilTheBoxIsEmpty) {
  const int before = pictures.loads;
  window->txtCN->setText("纪元");
  window->txtCN->setText("纪");
  window->txtCN->setText("");
  EXPECT_EQ(pictures.loads, before + 2);
  window->txtEN->setText("Os");
  EXPECT_EQ(pictures.loads, before + 3);
}

TEST_F(WindowTest, ATypedSizeRedrawsOnlyOnEnter) {
  QLineEdit* edit = window->cboSize->lineEdit();
  const int before = pictures.loads;
  for (const QChar c : QStringLiteral("28")) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(edit, &press);
  }
  window->cboSize->setEditText("28");
  EXPECT_EQ(pictures.loads, before);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(edit, &enter);
  EXPECT_EQ(pictures.loads, before + 1);
  QKeyEvent keypadEnter(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier);
  QApplication::sendEvent(edit, &keypadEnter);
  EXPECT_EQ(pictures.loads, before + 2);
  EXPECT_EQ(window->cboSize->currentText(), "28");
}

TEST_F(WindowTest, ABackgroundDeletedAfterStartUpIsReportedAndStopsTheClick) {
  QFile::remove(install.appPath() + "images/03-淡墨.png");
  const QImage before = canvas.Image();
  Pick(window->cboImg, "淡墨");
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].text.contains("03-淡墨.png"));
  EXPECT_EQ(canvas.Image(), before);
}

TEST_F(WindowTest, WebLinks) {
  emit window->imgLogo->Click();
  emit window->imgUrlMore->Click();
  emit window->imgHelp->Click();
  ASSERT_EQ(browser.opened.size(), 3);
  EXPECT_EQ(browser.opened[0], frmMain::HomePageUrl());
  EXPECT_EQ(browser.opened[1], frmMain::HomePageUrl());
  EXPECT_EQ(browser.opened[2], frmMain::HomePageUrl() + "/qmrj.asp");
  EXPECT_TRUE(frmMain::HomePageUrl().startsWith("http"));
}

TEST_F(WindowTest, SaveAndPrintUseTheCanvasPicture) {
  emit window->imgPrint->Click();
  ASSERT_EQ(printer.pages.size(), 1);
  EXPECT_EQ(printer.pages[0].picture, canvas.Image());
  EXPECT_NEAR(printer.pages[0].widthInches, 4.04, 0.01);
  emit window->imgSave->Click();
  EXPECT_EQ(saveDialog.calls, 1);
  EXPECT_EQ(saveDialog.lastTitle, "保存签名图片");
}
