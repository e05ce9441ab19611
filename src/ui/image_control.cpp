// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/image_control.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace yz {

namespace {
constexpr float kTwipsPerPixel = 15.0f;

int ShiftValue(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}
}  // namespace

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);  // moves are reported with no button held too
  setFocusPolicy(Qt::NoFocus);
}

void ImageControl::Move(float left, float top, float width, float height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Place();
}

void ImageControl::SetLeft(float left) {
  left_ = left;
  Place();
}

void ImageControl::SetTop(float top) {
  top_ = top;
  Place();
}

void ImageControl::Place() {
  const auto px = [](float twips) { return int(std::lround(twips / kTwipsPerPixel)); };
  setGeometry(px(left_), px(top_), std::max(0, px(width_)), std::max(0, px(height_)));
}

void ImageControl::SetBorderStyle(int style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  update();
}

int ImageControl::ButtonValue(Qt::MouseButtons buttons) {
  return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
         (buttons & Qt::MiddleButton ? 4 : 0);
}

void ImageControl::paintEvent(QPaintEvent*) {
  if (borderStyle_ != 1) return;
  QPainter painter(this);
  painter.setPen(QPen(Qt::black, 1));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
  const QPointF p = event->position() * kTwipsPerPixel;
  emit MouseDown(ButtonValue(event->button()), ShiftValue(event->modifiers()), float(p.x()),
                 float(p.y()));
}

void ImageControl::mouseMoveEvent(QMouseEvent* event) {
  const QPointF p = event->position() * kTwipsPerPixel;
  emit MouseMove(ButtonValue(event->buttons()), ShiftValue(event->modifiers()), float(p.x()),
                 float(p.y()));
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF p = event->position() * kTwipsPerPixel;
  emit MouseUp(ButtonValue(event->button()), ShiftValue(event->modifiers()), float(p.x()),
               float(p.y()));
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit Click();
  }
}

}  // namespace yz
