// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QKeyEvent>
#include <cmath>

#include "window_fixture.h"

using namespace yz;
using yz::testing::WindowTest;

class DragTest : public WindowTest {
 protected:
  ImageControl* handle() { return window->imgMove; }
  void Press(int button, float x, float y) { emit handle()->MouseDown(button, 0, x, y); }
  void MoveTo(int buttons, float x, float y) { emit handle()->MouseMove(buttons, 0, x, y); }
  void Release(int button) { emit handle()->MouseUp(button, 0, 0, 0); }
};

TEST_F(DragTest, ALeftDragFramesTheHandleAndMovesTheSignature) {
  const float left = handle()->Left(), top = handle()->Top();
  Press(1, 40, 20);
  EXPECT_EQ(handle()->BorderStyle(), 1);
  EXPECT_EQ(window->DragStartX, 40);
  MoveTo(1, 340, 20);  // 300 twips to the right
  EXPECT_FLOAT_EQ(handle()->Left(), std::nearbyint(left + 300));
  EXPECT_FLOAT_EQ(handle()->Top(), std::nearbyint(top));
  Release(1);
  EXPECT_EQ(handle()->BorderStyle(), 0);
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(DragTest, AMoveWithoutMovementRedrawsInPlace) {
  const float left = handle()->Left();
  const int before = pictures.loads;
  Press(1, 40, 20);
  MoveTo(1, 40, 20);
  EXPECT_EQ(pictures.loads, before + 1);
  EXPECT_FLOAT_EQ(handle()->Left(), std::nearbyint(left));
}

TEST_F(DragTest, OtherButtonsMoveNothing) {
  const float left = handle()->Left();
  const int before = pictures.loads;
  Press(2, 40, 20);
  EXPECT_EQ(handle()->BorderStyle(), 0);
  MoveTo(2, 400, 20);
  MoveTo(0, 400, 20);
  EXPECT_EQ(pictures.loads, before);
  // Left and right held together: moves stop until the right is let go.
  Press(1, 40, 20);
  MoveTo(3, 500, 20);
  EXPECT_EQ(pictures.loads, before);
  Release(2);
  EXPECT_EQ(handle()->BorderStyle(), 0);
  MoveTo(1, 140, 20);
  EXPECT_EQ(pictures.loads, before + 1);
  EXPECT_EQ(handle()->BorderStyle(), 0);
  EXPECT_FLOAT_EQ(handle()->Left(), std::nearbyint(left + 100));
}

TEST_F(DragTest, SealsAreDraggedWithoutAFrame) {
  Pick(window->cboFont, "篆印体");
  Press(1, 40, 20);
  EXPECT_EQ(handle()->BorderStyle(), 0);
  const float left = handle()->Left();
  MoveTo(1, 240, 20);
  EXPECT_FLOAT_EQ(handle()->Left(), std::nearbyint(left + 200));
}

TEST_F(DragTest, EnterAfterADragPutsTheSignatureBack) {
  const float left = handle()->Left();
  Press(1, 40, 20);
  MoveTo(1, 640, 320);
  Release(1);
  EXPECT_NE(handle()->Left(), left);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(window->cboSize->lineEdit(), &enter);
  EXPECT_FLOAT_EQ(handle()->Left(), left);
}

TEST_F(DragTest, AFailureDuringADragIsReportedOnce) {
  window->cboSize->setEditText("abc");
  Press(1, 40, 20);
  for (int i = 1; i <= 5; ++i) MoveTo(1, 40 + 30 * i, 20);
  EXPECT_EQ(messages.shown.size(), 1);
  Release(1);
  Press(1, 40, 20);
  MoveTo(1, 70, 20);
  EXPECT_EQ(messages.shown.size(), 2);
}

TEST_F(DragTest, AFailedMoveTakesTheFrameAwayAndKeepsThePlace) {
  window->cboSize->setEditText("abc");
  const float left = handle()->Left();
  Press(1, 40, 20);
  MoveTo(1, 340, 20);
  ASSERT_EQ(messages.shown.size(), 1);
  // The message box holds the mouse; the release may never come, so no frame is left behind.
  EXPECT_EQ(handle()->BorderStyle(), 0);
  EXPECT_FLOAT_EQ(handle()->Left(), left + 300);
}

TEST_F(DragTest, ARightReleaseMidDragDoesNotRepeatTheReport) {
  window->cboSize->setEditText("abc");
  Press(1, 40, 20);
  MoveTo(1, 70, 20);
  Press(2, 70, 20);
  Release(2);
  for (int i = 1; i <= 3; ++i) MoveTo(1, 70 + 30 * i, 20);
  EXPECT_EQ(messages.shown.size(), 1);
}
