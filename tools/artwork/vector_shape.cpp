// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "vector_shape.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRegularExpression>

namespace art {

namespace {

QString Num(double v) { return QString::number(v, 'f', 2).remove(QRegularExpression("\\.?0+$")); }

QString Colour(const QColor& c) { return c.name(QColor::HexRgb); }

QString Opacity(const char* attribute, const QColor& c) {
  return c.alpha() == 255 ? QString() : QStringLiteral(" %1=\"%2\"").arg(attribute, Num(c.alphaF()));
}

QString PathData(const QPainterPath& path) {
  QString d;
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    if (e.isMoveTo()) {
      if (!d.isEmpty()) d += QStringLiteral("Z");
      d += QStringLiteral("M%1 %2").arg(Num(e.x), Num(e.y));
    } else if (e.isLineTo()) {
      d += QStringLiteral("L%1 %2").arg(Num(e.x), Num(e.y));
    } else if (e.isCurveTo()) {
      const QPainterPath::Element c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
      d += QStringLiteral("C%1 %2 %3 %4 %5 %6")
               .arg(Num(e.x), Num(e.y), Num(c2.x), Num(c2.y), Num(end.x), Num(end.y));
      i += 2;
    }
  }
  return d;
}

QString GradientDef(const QLinearGradient& g, const QString& id) {
  QString svg = QStringLiteral(
                    "<linearGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" x1=\"%2\" y1=\"%3\" "
                    "x2=\"%4\" y2=\"%5\">")
                    .arg(id, Num(g.start().x()), Num(g.start().y()), Num(g.finalStop().x()),
                         Num(g.finalStop().y()));
  for (const QGradientStop& stop : g.stops()) {
    svg += QStringLiteral("<stop offset=\"%1\" stop-color=\"%2\"%3/>")
               .arg(Num(stop.first), Colour(stop.second), Opacity("stop-opacity", stop.second));
  }
  return svg + QStringLiteral("</linearGradient>");
}

QString Cap(Qt::PenCapStyle cap) {
  if (cap == Qt::RoundCap) return QStringLiteral("round");
  if (cap == Qt::SquareCap) return QStringLiteral("square");
  return QStringLiteral("butt");
}

}  // namespace

void Paint(QPainter& painter, const Drawing& drawing) {
  for (const VectorShape& shape : drawing) {
    painter.setBrush(shape.fill);
    painter.setPen(shape.pen);
    painter.drawPath(shape.path);
  }
}

QString ToSvg(const Drawing& drawing, double viewSize, int pixelSize) {
  QString defs, body;
  int gradients = 0;
  for (const VectorShape& shape : drawing) {
    QString fill = QStringLiteral("none");
    if (shape.fill.style() == Qt::LinearGradientPattern) {
      const QString id = QStringLiteral("g%1").arg(++gradients);
      defs += GradientDef(*static_cast<const QLinearGradient*>(shape.fill.gradient()), id);
      fill = QStringLiteral("url(#%1)").arg(id);
    } else if (shape.fill.style() == Qt::SolidPattern) {
      fill = Colour(shape.fill.color());
    }
    QString attributes = QStringLiteral(" fill=\"%1\"").arg(fill);
    if (shape.fill.style() == Qt::SolidPattern) attributes += Opacity("fill-opacity", shape.fill.color());
    if (shape.path.fillRule() == Qt::OddEvenFill) attributes += QStringLiteral(" fill-rule=\"evenodd\"");
    if (shape.pen.style() != Qt::NoPen) {
      attributes += QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\" stroke-linecap=\"%3\" "
                                   "stroke-linejoin=\"round\"")
                        .arg(Colour(shape.pen.color()), Num(shape.pen.widthF()), Cap(shape.pen.capStyle()));
      attributes += Opacity("stroke-opacity", shape.pen.color());
    }
    body += QStringLiteral("<path d=\"%1\"%2/>\n").arg(PathData(shape.path), attributes);
  }
  return QStringLiteral(
             "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %2 %2\">\n"
             "<defs>%3</defs>\n%4</svg>\n")
      .arg(QString::number(pixelSize), Num(viewSize), defs, body);
}

}  // namespace art
