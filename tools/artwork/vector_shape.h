// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QBrush>
#include <QPainterPath>
#include <QPen>
#include <QString>
#include <vector>

class QPainter;

namespace art {

// One filled or stroked path. Shapes kept this way paint the same with QPainter and as SVG,
// so the icon's bitmaps and its vector file cannot drift apart.
struct VectorShape {
  QPainterPath path;
  QBrush fill = Qt::NoBrush;  // solid or linear gradient
  QPen pen = Qt::NoPen;       // solid
};

using Drawing = std::vector<VectorShape>;

void Paint(QPainter& painter, const Drawing& drawing);

// An SVG document of the drawing in a viewBox of viewSize × viewSize units, shown at pixelSize.
QString ToSvg(const Drawing& drawing, double viewSize, int pixelSize);

}  // namespace art
