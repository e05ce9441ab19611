// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "quill.h"

#include <QLinearGradient>
#include <QTransform>
#include <cmath>

#include "palette.h"

namespace art {

namespace {

// Drawn in a 100 × 100 square; the shaft runs straight from base to tip.
const QPointF kBase(22, 82), kTip(90, 8);
const QPointF kAlong = (kTip - kBase) / std::hypot(kTip.x() - kBase.x(), kTip.y() - kBase.y());
const QPointF kUpLeft(kAlong.y(), -kAlong.x());  // perpendicular, towards the upper left

QPointF OnShaft(double t) { return kBase + (kTip - kBase) * t; }

// Half-widths of the two vanes along the shaft, with the splits a real feather shows.
double VaneWidth(double t, double broad, const std::vector<double>& splits) {
  double w = broad * std::pow(std::sin(M_PI * std::pow(t, 0.75)), 0.8);
  for (const double s : splits) {
    const double d = std::abs(t - s);
    if (d < 0.035) w *= 0.55 + 0.45 * d / 0.035;
  }
  return w;
}

QPainterPath Vane(double broadUpper, double broadLower, bool splits) {
  const std::vector<double> upperSplits = splits ? std::vector<double>{0.38, 0.62} : std::vector<double>{};
  const std::vector<double> lowerSplits = splits ? std::vector<double>{0.5} : std::vector<double>{};
  constexpr int kSteps = 64;
  QPainterPath path(OnShaft(0));
  for (int i = 1; i <= kSteps; ++i) {
    const double t = double(i) / kSteps;
    path.lineTo(OnShaft(t) + kUpLeft * VaneWidth(t, broadUpper, upperSplits));
  }
  for (int i = kSteps - 1; i >= 0; --i) {
    const double t = double(i) / kSteps;
    path.lineTo(OnShaft(t) - kUpLeft * VaneWidth(t, broadLower, lowerSplits));
  }
  path.closeSubpath();
  return path;
}

QPainterPath Nib() {
  // The bare barrel below the vane, cut to a point.
  const QPointF across = kUpLeft * 2.6;
  QPainterPath path(kBase + across);
  path.lineTo(kBase - across);
  path.lineTo(QPointF(9, 95));
  path.closeSubpath();
  return path;
}

QLinearGradient Between(const QTransform& to, const QPointF& start, const QPointF& end, const QColor& from,
                        const QColor& towards) {
  QLinearGradient g(to.map(start), to.map(end));
  g.setColorAt(0, from);
  g.setColorAt(1, towards);
  return g;
}

}  // namespace

Drawing Quill(const QRectF& box, QuillDetail detail) {
  QTransform to;
  to.translate(box.left(), box.top());
  to.scale(box.width() / 100.0, box.height() / 100.0);
  const double unit = box.width() / 100.0;
  const bool fine = detail == QuillDetail::Fine;

  Drawing drawing;
  drawing.push_back({to.map(Vane(17, 10, fine)), Between(to, kBase, kTip, kCinnabar.darker(125), kCinnabarLight), Qt::NoPen});
  if (fine) {
    // Barbs: faint darker strokes leaning towards the tip.
    QPainterPath barbs;
    for (double t = 0.24; t < 0.92; t += 0.06) {
      const QPointF root = OnShaft(t);
      barbs.moveTo(root);
      barbs.lineTo(root + kUpLeft * VaneWidth(t + 0.05, 14, {}) * 0.9 + kAlong * 6);
      barbs.moveTo(root);
      barbs.lineTo(root - kUpLeft * VaneWidth(t + 0.05, 8, {}) * 0.9 + kAlong * 5);
    }
    drawing.push_back({to.map(barbs), Qt::NoBrush,
                       QPen(QColor(110, 20, 14, 110), 0.9 * unit, Qt::SolidLine, Qt::RoundCap)});
  }
  QPainterPath shaft(OnShaft(0));
  shaft.lineTo(OnShaft(0.96));
  drawing.push_back({to.map(shaft), Qt::NoBrush,
                     QPen(QColor(255, 236, 226, 230), (fine ? 1.6 : 3.2) * unit, Qt::SolidLine, Qt::RoundCap)});
  drawing.push_back({to.map(Nib()), Between(to, QPointF(9, 95), kBase, kGold.darker(115), kPaper), Qt::NoPen});
  return drawing;
}

}  // namespace art
