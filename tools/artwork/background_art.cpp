// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "background_art.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <cmath>

#include "palette.h"
#include "skin_layout.h"

namespace art {

namespace {

// A small integer hash, so the grain depends only on the pixel's place.
quint32 Hash(quint32 x, quint32 y) {
  quint32 h = x * 374761393u + y * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

void PaintGround(QPainter& p) {
  QLinearGradient ground(0, 0, 0, layout::kHeight);
  ground.setColorAt(0, QColor(30, 42, 44));
  ground.setColorAt(1, QColor(15, 21, 23));
  p.fillRect(QRect(0, 0, layout::kWidth, layout::kHeight), ground);
  // A teal glow behind the banner and one behind the panel, like light on wet ink.
  for (const auto& [centre, radius] : {std::pair{QPointF(180, 40), 360.0}, std::pair{QPointF(600, 120), 260.0}}) {
    QRadialGradient glow(centre, radius);
    glow.setColorAt(0, QColor(44, 96, 92, 70));
    glow.setColorAt(1, QColor(44, 96, 92, 0));
    p.fillRect(QRect(0, 0, layout::kWidth, layout::kHeight), glow);
  }
}

void PaintFibres(QPainter& p) {
  QRandomGenerator random(7219);
  for (int i = 0; i < 1400; ++i) {
    const QPointF from(random.bounded(double(layout::kWidth)), random.bounded(double(layout::kHeight)));
    const double length = 3 + random.bounded(16.0), angle = random.bounded(M_PI);
    const QPointF to = from + QPointF(length * std::cos(angle), length * std::sin(angle));
    const bool light = random.bounded(3) != 0;
    p.setPen(QPen(light ? QColor(230, 222, 200, 5 + random.bounded(9)) : QColor(0, 0, 0, 18), 0.8));
    p.drawLine(from, to);
  }
}

void PaintWaves(QPainter& p) {
  // Faint ink waves along the foot of the window: the boat of the name rides on them.
  p.setBrush(Qt::NoBrush);
  for (int row = 0; row < 3; ++row) {
    QPainterPath wave;
    const double base = 430 + row * 9;
    wave.moveTo(0, base);
    for (double x = 0; x < layout::kWidth; x += 40) {
      wave.cubicTo(x + 10, base - 6, x + 30, base + 6, x + 40, base);
    }
    p.setPen(QPen(QColor(120, 170, 160, 16 - row * 4), 1.2));
    p.drawPath(wave.translated(row * 13, 0));
  }
}

void AddGrain(QImage& skin) {
  for (int y = 0; y < skin.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(skin.scanLine(y));
    for (int x = 0; x < skin.width(); ++x) {
      const int d = int(Hash(x, y) % 9) - 4;
      const QRgb c = line[x];
      line[x] = qRgb(qBound(0, qRed(c) + d, 255), qBound(0, qGreen(c) + d, 255), qBound(0, qBlue(c) + d, 255));
    }
  }
}

void PaintFrame(QPainter& p) {
  // Symmetric within the visible client area, not the full picture.
  const QRectF client = layout::kClient;
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0, 0, 0, 120), 1));
  p.drawRect(client.adjusted(0.5, 0.5, -0.5, -0.5));
  p.setPen(QPen(QColor(kPaper.red(), kPaper.green(), kPaper.blue(), 150), 1));
  p.drawRect(client.adjusted(3.5, 3.5, -3.5, -3.5));
  p.setPen(QPen(QColor(kGold.red(), kGold.green(), kGold.blue(), 60), 1));
  p.drawRect(client.adjusted(6.5, 6.5, -6.5, -6.5));
}

}  // namespace

void PaintBackground(QImage& skin) {
  {
    QPainter p(&skin);
    p.setRenderHint(QPainter::Antialiasing);
    PaintGround(p);
    PaintFibres(p);
    PaintWaves(p);
  }
  AddGrain(skin);
  QPainter p(&skin);
  PaintFrame(p);
}

}  // namespace art
