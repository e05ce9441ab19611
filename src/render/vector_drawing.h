// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QSize>
#include <functional>
#include <vector>

class QPainter;

namespace yz {

// A drawing kept as shapes rather than pixels, in the canvas's pixels at scale 1: the background
// picture, then every filled box and every printed text as its glyphs' outlines, in the order
// they were drawn. It paints sharp at any size on any device and needs no font to show.
struct VectorDrawing {
  struct Shape {
    QPainterPath path;
    QColor colour;
  };
  QSize size;          // the canvas, in pixels
  QImage background;   // null: none (the canvas's own ground shows)
  bool whiteGround = true;
  std::vector<Shape> shapes;

  // Paints the drawing into the rectangle (0, 0, size) of the painter's current coordinates,
  // clipped to it; `ink` may change each shape's colour (a pale copy to trace over, say).
  void Paint(QPainter& painter, const std::function<QColor(QColor)>& ink = {}) const;

  // Where the shapes put ink (fully transparent ones put none), exactly, in the drawing's
  // pixels; empty when there is none.
  QRectF InkBounds() const;
};

// The drawing moved so that its ink's top-left is at (margin, margin), as large as the ink and
// the margins round it (rounded up to whole pixels), without ground or background picture.
VectorDrawing CroppedToInk(VectorDrawing drawing, double margin);

}  // namespace yz
