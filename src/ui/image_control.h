// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

namespace yz {

// A transparent image control: it draws nothing of its own (the skin or the canvas shows
// through), catches the mouse, and reports positions relative to itself in twips. Buttons are
// reported as 1 left, 2 right, 4 middle; a move reports the sum of the buttons held.
class ImageControl : public QWidget {
  Q_OBJECT
 public:
  explicit ImageControl(QWidget* parent = nullptr);

  // Place and size in the container's twips (15 to the pixel), kept unrounded.
  void Move(float left, float top, float width, float height);
  void SetLeft(float left);
  void SetTop(float top);
  float Left() const { return left_; }
  float Top() const { return top_; }
  float TwipsWidth() const { return width_; }
  float TwipsHeight() const { return height_; }

  void SetBorderStyle(int style);  // 0 none, 1 a single line
  int BorderStyle() const { return borderStyle_; }

  static int ButtonValue(Qt::MouseButtons buttons);

 signals:
  void Click();
  void MouseDown(int button, int shift, float x, float y);
  void MouseMove(int button, int shift, float x, float y);
  void MouseUp(int button, int shift, float x, float y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Place();
  float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  int borderStyle_ = 0;
};

}  // namespace yz
