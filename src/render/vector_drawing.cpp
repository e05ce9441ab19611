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

QRectF VectorDrawing::InkBounds() const {
  QRectF ink;
  for (const Shape& shape : shapes)
    if (shape.colour.alpha() > 0) ink |= shape.path.boundingRect();
  return ink;
}

VectorDrawing CroppedToInk(VectorDrawing drawing, double margin) {
  const QRectF ink = drawing.InkBounds();
  const QPointF shift = QPointF(margin, margin) - ink.topLeft();
  for (VectorDrawing::Shape& shape : drawing.shapes) shape.path.translate(shift);
  drawing.size = QSizeF(ink.width() + 2 * margin, ink.height() + 2 * margin)
                     .toSize()
                     .grownBy(QMargins(0, 0, 1, 1));
  drawing.background = QImage();
  drawing.whiteGround = false;
  return drawing;
}

}  // namespace yz
