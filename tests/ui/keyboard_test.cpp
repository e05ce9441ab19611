// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include "window_fixture.h"

using namespace yz;
using yz::testing::WindowTest;

namespace {

// The window shown and active, so that keys and shortcuts reach it as they would a user's.
class KeyboardTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  QImage Look(QWidget* w) {
    return window->grab(QRect(w->mapTo(window.get(), QPoint()), w->size())).toImage();
  }
};

}  // namespace

TEST_F(KeyboardTest, ShortcutsDoWhatTheButtonClicksDo) {
  EXPECT_EQ(window->actions->save->text(), "保存签名");
  EXPECT_EQ(window->actions->print->text(), "打印签名");
  window->txtCN->setFocus();
  QTest::keyClick(window->txtCN, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(saveDialog.calls, 1);
  // Also while a size is being typed: the shortcut is the window's, not one control's.
  window->cboSize->setFocus();
  QTest::keyClick(window->cboSize->lineEdit(), Qt::Key_P, Qt::ControlModifier);
  ASSERT_EQ(printer.pages.size(), 1);
  EXPECT_EQ(printer.pages[0].picture.size(), QSize(388, 261));
  EXPECT_EQ(window->txtCN->text(), "纪元朗");
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(KeyboardTest, TabReachesThePaintedButtonsAfterTheControls) {
  window->txtCN->setFocus();
  ASSERT_TRUE(window->txtCN->hasFocus());
  const QImage unfocused = Look(window->imgSave);
  const QList<QWidget*> chain = {window->txtEN,   window->picMain,         window->cboFont,
                                 window->cboImg,  window->cboSize,         window->lblColorPreview,
                                 window->imgSave, window->imgPrint,        window->imgUrlMore,
                                 window->imgHelp, window->imgSignDocument, window->txtCN};
  for (QWidget* next : chain) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(next->hasFocus()) << next->metaObject()->className() << " "
                                  << QApplication::focusWidget()->metaObject()->className();
    if (next == window->imgSave) EXPECT_NE(Look(window->imgSave), unfocused) << "no focus mark";
  }
  EXPECT_EQ(Look(window->imgSave), unfocused) << "the focus mark stays after the focus left";
  // A click presses the button and leaves the focus where it was, as before.
  QTest::mouseClick(window->imgSave, Qt::LeftButton);
  EXPECT_EQ(saveDialog.calls, 1);
  EXPECT_TRUE(window->txtCN->hasFocus());
}

TEST_F(KeyboardTest, EveryPaintedButtonIsNamedAndPressedByTheKeyboard) {
  const struct {
    QWidget* widget;
    QString name;
    std::function<int()> presses;
  } buttons[] = {
      {window->imgSave, "保存签名", [&] { return saveDialog.calls; }},
      {window->imgPrint, "打印签名", [&] { return int(printer.pages.size()); }},
      {window->imgUrlMore, "手写签名",
       [&] { return int(browser.opened.count(frmMain::HomePageUrl())); }},
      {window->imgHelp, "使用必读", [&] { return int(browser.opened.count(frmMain::HelpPageUrl())); }},
      {window->lblColorPreview, "字颜色", [&] { return int(colorDialog.requests.size()); }},
      {window->imgSignDocument, "签署 PDF 文档…", [&] { return openDialog.calls; }},
  };
  for (const auto& button : buttons) {
    const std::string name = button.name.toStdString();
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button.widget);
    ASSERT_NE(accessible, nullptr) << name;
    EXPECT_EQ(accessible->text(QAccessible::Name), button.name);
    EXPECT_EQ(accessible->role(), QAccessible::Button) << name;
    EXPECT_TRUE(accessible->state().focusable) << name;
    EXPECT_EQ(accessible->childCount(), 0) << name;

    button.widget->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(button.widget->hasFocus()) << name;
    QTest::keyClick(button.widget, Qt::Key_Return);
    EXPECT_EQ(button.presses(), 1) << name;
    QTest::keyClick(button.widget, Qt::Key_Space);
    EXPECT_EQ(button.presses(), 2) << name;
    QTest::keyClick(button.widget, Qt::Key_A);
    QTest::keyClick(button.widget, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(button.presses(), 2) << name << ": only Enter and Space press it";
    ASSERT_NE(accessible->actionInterface(), nullptr) << name;
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(button.presses(), 3) << name << ": a screen reader's press";
  }
  EXPECT_TRUE(messages.shown.isEmpty());
}
