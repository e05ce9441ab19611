// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/vector_drawing.h"

#include <QPainter>

namespace yz {

void VectorDrawing::Paint(QPainter& painter, const std::function<QColor(QColor)>& ink) const {
  painter.save();
  const QRectF area(QPointF(0, 0), QSizeF(size));
  painter.setClipRect(area);
  if (whiteGround) painter.fillRect(area, Qt::white);
  // Only what the canvas shows of the picture: a document keeps no hidden pixels.
  if (!background.isNull()) painter.drawImage(QPointF(0, 0), background, area);
  painter.setPen(Qt::NoPen);
  painter.setRenderHint(QPainter::Antialiasing);
  for (const Shape& shape : shapes) painter.fillPath(shape.path, ink ? ink(shape.colour) : shape.colour);
  painter.restore();
}

}  // namespace yz
