// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "button_art.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>

#include "lettering.h"
#include "palette.h"

namespace art {

namespace {

// Pictograms are drawn as light strokes in a 24 × 24 box.
void DrawPictogram(QPainter& p, Pictogram pictogram, const QRectF& box) {
  p.save();
  p.translate(box.topLeft());
  p.scale(box.width() / 24.0, box.height() / 24.0);
  p.setPen(QPen(kPaper, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  switch (pictogram) {
    case Pictogram::Save: {  // an arrow down into a tray
      p.drawLine(QPointF(12, 3), QPointF(12, 14));
      p.drawPolyline(QPolygonF({QPointF(7, 10), QPointF(12, 15), QPointF(17, 10)}));
      p.drawPolyline(QPolygonF({QPointF(4, 15), QPointF(4, 20), QPointF(20, 20), QPointF(20, 15)}));
      break;
    }
    case Pictogram::Print: {  // a printer with its sheet
      p.drawRect(QRectF(7, 3, 10, 6));
      p.drawRoundedRect(QRectF(3, 9, 18, 8), 2, 2);
      p.setBrush(kPaper);
      p.drawRect(QRectF(7, 14, 10, 7));
      p.setPen(QPen(QColor(0, 0, 0, 120), 1));
      p.drawLine(QPointF(9, 17), QPointF(15, 17));
      break;
    }
    case Pictogram::Handwrite: {  // a brush writing a stroke
      p.drawLine(QPointF(19, 3), QPointF(10, 14));
      p.setBrush(kPaper);
      QPainterPath tuft(QPointF(10, 13));
      tuft.cubicTo(QPointF(6, 15), QPointF(5, 18), QPointF(4, 20));
      tuft.cubicTo(QPointF(7, 19), QPointF(10, 18), QPointF(12, 15));
      tuft.closeSubpath();
      p.drawPath(tuft);
      p.setBrush(Qt::NoBrush);
      QPainterPath stroke(QPointF(8, 22));
      stroke.cubicTo(QPointF(12, 20), QPointF(16, 23), QPointF(21, 21));
      p.setPen(QPen(kPaper, 1.4, Qt::SolidLine, Qt::RoundCap));
      p.drawPath(stroke);
      break;
    }
    case Pictogram::SignDocument: {  // a page with a folded corner and a signed line
      p.drawPolygon(QPolygonF({QPointF(5, 2), QPointF(15, 2), QPointF(20, 7), QPointF(20, 22), QPointF(5, 22)}));
      p.drawPolyline(QPolygonF({QPointF(15, 2), QPointF(15, 7), QPointF(20, 7)}));
      p.setPen(QPen(kPaper, 1, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(8, 10), QPointF(16, 10));
      p.drawLine(QPointF(8, 13), QPointF(17, 13));
      QPainterPath name(QPointF(8, 19));
      name.cubicTo(QPointF(10, 15), QPointF(11, 20), QPointF(13, 17));
      name.cubicTo(QPointF(14, 16), QPointF(15, 19), QPointF(17, 18));
      p.setPen(QPen(kPaper, 1.4, Qt::SolidLine, Qt::RoundCap));
      p.drawPath(name);
      break;
    }
    case Pictogram::Help: {  // an open book
      QPainterPath left(QPointF(12, 6)), right(QPointF(12, 6));
      left.cubicTo(QPointF(9, 4), QPointF(5, 4), QPointF(2, 5));
      left.lineTo(QPointF(2, 19));
      left.cubicTo(QPointF(5, 18), QPointF(9, 18), QPointF(12, 20));
      right.cubicTo(QPointF(15, 4), QPointF(19, 4), QPointF(22, 5));
      right.lineTo(QPointF(22, 19));
      right.cubicTo(QPointF(19, 18), QPointF(15, 18), QPointF(12, 20));
      p.drawPath(left);
      p.drawPath(right);
      p.drawLine(QPointF(12, 6), QPointF(12, 20));
      p.setPen(QPen(kPaper, 1, Qt::SolidLine, Qt::RoundCap));
      for (const double y : {9.0, 12.0, 15.0}) {
        p.drawLine(QPointF(5, y), QPointF(9.5, y));
        p.drawLine(QPointF(14.5, y), QPointF(19, y));
      }
      break;
    }
  }
  p.restore();
}

void PaintTile(QPainter& p, const QRectF& face, const QColor& colour) {
  const double radius = 6;
  // The soft shadow the tile casts, inside the area so that nothing spills beyond it.
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 3; ++i) {
    p.setBrush(QColor(0, 0, 0, 34 - i * 10));
    p.drawRoundedRect(face.translated(0, 1.0 + i * 0.7).adjusted(-0.5 * i, 0, 0.5 * i, 0), radius, radius);
  }
  QLinearGradient shade(face.topLeft(), face.bottomLeft());
  shade.setColorAt(0, colour.lighter(140));
  shade.setColorAt(0.48, colour);
  shade.setColorAt(1, colour.darker(135));
  p.setPen(QPen(colour.darker(170), 1));
  p.setBrush(shade);
  p.drawRoundedRect(face, radius, radius);
  // Gloss along the top half and a thin light rim.
  QLinearGradient gloss(face.topLeft(), QPointF(face.left(), face.center().y()));
  gloss.setColorAt(0, QColor(255, 255, 255, 60));
  gloss.setColorAt(1, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(gloss);
  p.drawRoundedRect(face.adjusted(1.5, 1.5, -1.5, -face.height() / 2), radius - 1.5, radius - 1.5);
  p.setPen(QPen(QColor(255, 255, 255, 55), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(face.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
}

QFont LabelFont(const QString& label, double maxWidth) {
  for (double size = 15; size > 9; size -= 0.5) {
    const QFont font = Lettering(Face::KaiBold, size);
    if (QFontMetricsF(font).horizontalAdvance(label) <= maxWidth) return font;
  }
  return Lettering(Face::KaiBold, 9);
}

void DrawLabel(QPainter& p, const QRectF& where, const QString& label, const QFont& font) {
  p.setFont(font);
  p.setPen(QColor(0, 0, 0, 110));
  p.drawText(where.translated(0, 1), Qt::AlignCenter, label);
  p.setPen(Qt::white);
  p.drawText(where, Qt::AlignCenter, label);
}

}  // namespace

void PaintButton(QPainter& p, const QRect& area, const QString& label, Pictogram pictogram,
                 const QColor& colour) {
  // Leave room below for the shadow; the tile's outline sits on half pixels.
  const QRectF face = QRectF(area).adjusted(1.5, 1.5, -1.5, -3.5);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  PaintTile(p, face, colour);
  const QRectF inner = face.adjusted(4, 3, -4, -3);
  if (face.width() > face.height() * 1.6) {
    const double icon = std::min(inner.height() - 4, 20.0);
    const QFont font = LabelFont(label, inner.width() - icon - 5);
    const double textWidth = QFontMetricsF(font).horizontalAdvance(label);
    const double left = inner.center().x() - (icon + 5 + textWidth) / 2;
    DrawPictogram(p, pictogram, QRectF(left, inner.center().y() - icon / 2, icon, icon));
    DrawLabel(p, QRectF(left + icon + 5, inner.top(), textWidth, inner.height()), label, font);
  } else if (QFontMetricsF(LabelFont(label, inner.width())).height() < 14) {
    // Too narrow for a legible line: the label alone, in two lines of two characters.
    const QString halves[] = {label.left(label.size() / 2), label.mid(label.size() / 2)};
    const QFont font = LabelFont(halves[0], inner.width());
    const double line = QFontMetricsF(font).height();
    const double top = inner.center().y() - line;
    for (int i = 0; i < 2; ++i) DrawLabel(p, QRectF(inner.left(), top + i * line, inner.width(), line), halves[i], font);
  } else {
    const QFont font = LabelFont(label, inner.width());
    const double textHeight = QFontMetricsF(font).height();
    const double icon = std::min({inner.height() - textHeight - 1, inner.width() * 0.5, 26.0});
    const double top = inner.center().y() - (icon + 1 + textHeight) / 2;
    DrawPictogram(p, pictogram, QRectF(inner.center().x() - icon / 2, top, icon, icon));
    DrawLabel(p, QRectF(inner.left(), top + icon + 1, inner.width(), textHeight), label, font);
  }
  p.restore();
}

}  // namespace art
