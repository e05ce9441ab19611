// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "icon_art.h"

#include <QLinearGradient>
#include <QPainter>

#include "palette.h"
#include "quill.h"

namespace art {

Drawing IconDrawing(bool fine) {
  Drawing drawing;
  QPainterPath square;
  square.addRoundedRect(QRectF(3, 3, 94, 94), 19, 19);
  QLinearGradient teal(0, 3, 0, 97);
  teal.setColorAt(0, kTealLight);
  teal.setColorAt(1, kTeal.darker(135));
  drawing.push_back({square, teal, QPen(kTeal.darker(170), 1.5)});

  // The flourish the pen has just written.
  QPainterPath flourish(QPointF(20, 86));
  flourish.cubicTo(QPointF(38, 76), QPointF(50, 92), QPointF(84, 80));
  drawing.push_back({flourish, Qt::NoBrush, QPen(QColor(kPaper.red(), kPaper.green(), kPaper.blue(), 210),
                                                fine ? 3.2 : 5, Qt::SolidLine, Qt::RoundCap)});

  const Drawing quill = Quill(QRectF(6, 3, 88, 88), fine ? QuillDetail::Fine : QuillDetail::Bold);
  drawing.insert(drawing.end(), quill.begin(), quill.end());
  return drawing;
}

QImage IconImage(int size, int scale) {
  QImage image(size * scale, size * scale, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size * scale / kIconUnits, size * scale / kIconUnits);
  Paint(painter, IconDrawing(size >= 64));
  painter.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace art
