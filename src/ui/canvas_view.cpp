// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/canvas_view.h"

#include <QPainter>
#include <cmath>

namespace yz {

CanvasView::CanvasView(Canvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
  setFocusPolicy(Qt::TabFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CanvasView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  const QImage image = canvas_.Image();
  const QRect place(QPoint(0, 0), image.deviceIndependentSize().toSize());
  const qreal ratio = devicePixelRatioF();
  if (sharp_ && sharp_->Current() && sharp_->Scale() == int(std::ceil(ratio - 1e-6))) {
    // Pixel for pixel at a whole ratio; slightly reduced, and so smoothed, at a fractional one.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, sharp_->Scale() != ratio);
    painter.drawImage(place, sharp_->Current()->Image());
    return;
  }
  // The canvas may hold more pixels than the view (a sharper scale): show it at the view's size.
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(place, image);
}

}  // namespace yz
