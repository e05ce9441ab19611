// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/color_swatch.h"

#include <QMouseEvent>
#include <QPainter>

namespace yz {

ColorSwatch::ColorSwatch(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::NoFocus); }

void ColorSwatch::SetBackColor(Colour colour) {
  colour_ = colour & 0xFFFFFF;
  update();
}

void ColorSwatch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(colour_));
  painter.setPen(QColor(0, 0, 0, 90));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit Click();
}

}  // namespace yz
