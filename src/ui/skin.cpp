#include "ui/skin.h"

#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <cmath>

namespace yz {

namespace {

const QColor kInk(24, 33, 35);
const QColor kTeal(31, 92, 88);
const QColor kCinnabar(190, 46, 36);
const QColor kPaper(248, 243, 232);
const QColor kGold(196, 156, 82);
const QColor kFrameGreen(38, 86, 66);

// Lettering face: a brush-like Kai when installed, a clean sans otherwise.
QFont Lettering(double pixelSize, bool bold = false) {
  static const QString family = [] {
    const QStringList installed = QFontDatabase::families();
    for (const QString& f : {QStringLiteral("LXGW WenKai"), QStringLiteral("AR PL UKai CN"),
                             QStringLiteral("WenQuanYi Micro Hei")}) {
      if (installed.contains(f)) return f;
    }
    return QString();
  }();
  QFont font(family);
  font.setPixelSize(int(pixelSize));
  font.setBold(bold);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

void PaintBackground(QPainter& p) {
  QLinearGradient base(0, 0, 0, 460);
  base.setColorAt(0, QColor(34, 46, 48));
  base.setColorAt(1, QColor(20, 27, 29));
  p.fillRect(QRect(0, 0, 720, 460), base);
  // A faint fibre texture, the same on every start.
  QRandomGenerator random(20261208);
  for (int i = 0; i < 900; ++i) {
    const double x = random.bounded(720.0), y = random.bounded(460.0);
    const double len = 4 + random.bounded(18.0), angle = random.bounded(3.1416);
    p.setPen(QPen(QColor(255, 255, 255, 6 + random.bounded(8)), 1));
    p.drawLine(QPointF(x, y), QPointF(x + len * std::cos(angle), y + len * std::sin(angle)));
  }
  p.setPen(QPen(QColor(214, 204, 180, 170), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(3.5, 3.5, 712, 452));
  p.setPen(QPen(QColor(214, 204, 180, 60), 1));
  p.drawRect(QRectF(6.5, 6.5, 706, 446));
}

void PaintQuill(QPainter& p, const QRectF& box) {
  // A feather sweeping from the lower left to the upper right, with its nib.
  p.save();
  p.translate(box.topLeft());
  p.scale(box.width() / 100.0, box.height() / 100.0);
  QPainterPath vane;
  vane.moveTo(22, 84);
  vane.cubicTo(30, 50, 55, 18, 90, 8);
  vane.cubicTo(84, 34, 62, 64, 30, 80);
  vane.closeSubpath();
  QLinearGradient red(20, 84, 90, 8);
  red.setColorAt(0, kCinnabar.darker(130));
  red.setColorAt(1, QColor(232, 86, 66));
  p.setPen(Qt::NoPen);
  p.setBrush(red);
  p.drawPath(vane);
  p.setPen(QPen(QColor(255, 230, 220, 200), 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(20, 88), QPointF(84, 14));
  for (int i = 0; i < 5; ++i) {
    const double t = 0.3 + i * 0.12;
    const QPointF on(20 + 64 * t, 88 - 74 * t);
    p.setPen(QPen(QColor(120, 20, 16, 120), 1.2));
    p.drawLine(on, on + QPointF(10 - i, 4 + i));
  }
  p.setPen(QPen(kGold, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(12, 96), QPointF(21, 86));
  p.restore();
}

void PaintLogo(QPainter& p) {
  const QRectF banner(40, 40, 385, 49);
  QLinearGradient shade(banner.topLeft(), banner.bottomLeft());
  shade.setColorAt(0, QColor(46, 62, 63));
  shade.setColorAt(1, QColor(30, 41, 43));
  p.setPen(QPen(QColor(214, 204, 180, 90), 1));
  p.setBrush(shade);
  p.drawRoundedRect(banner.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
  PaintQuill(p, QRectF(48, 42, 44, 44));
  p.setFont(Lettering(28));
  p.setPen(kPaper);
  p.drawText(QRectF(98, 40, 220, 49), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("砚舟签名设计"));
  p.setFont(Lettering(13));
  p.setPen(QColor(214, 190, 140));
  p.drawText(QRectF(300, 40, 118, 49), Qt::AlignVCenter | Qt::AlignRight,
             QStringLiteral("一笔一画 · 自成风格"));
}

void PaintNameBox(QPainter& p, const QString& label, const QRectF& box) {
  p.setFont(Lettering(16));
  p.setPen(kPaper);
  p.drawText(QRectF(box.left() - 44, box.top(), 40, box.height()), Qt::AlignVCenter | Qt::AlignRight,
             label);
  p.setPen(QPen(QColor(180, 170, 150), 1));
  p.setBrush(Qt::white);
  p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}

void PaintDrawingArea(QPainter& p) {
  p.setPen(QPen(kFrameGreen, 3));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(37.5, 151.5, 391, 264));
  p.setPen(QPen(QColor(214, 204, 180, 110), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(33.5, 147.5, 399, 272));
}

void PaintBall(QPainter& p, const QPointF& centre, const QColor& colour) {
  QRadialGradient ball(centre + QPointF(-2, -2), 7);
  ball.setColorAt(0, colour.lighter(170));
  ball.setColorAt(1, colour.darker(120));
  p.setPen(Qt::NoPen);
  p.setBrush(ball);
  p.drawEllipse(centre, 6, 6);
}

void PaintPanel(QPainter& p) {
  const QRectF panel(452, 40, 232, 384);
  QLinearGradient shade(panel.topLeft(), panel.bottomLeft());
  shade.setColorAt(0, QColor(44, 58, 60));
  shade.setColorAt(1, QColor(29, 39, 41));
  p.setPen(QPen(QColor(214, 204, 180, 90), 1));
  p.setBrush(shade);
  p.drawRoundedRect(panel.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);

  p.setFont(Lettering(19));
  p.setPen(kPaper);
  p.drawText(QRectF(452, 50, 232, 32), Qt::AlignCenter, QStringLiteral("签名设置"));
  p.setPen(QPen(QColor(196, 156, 82, 150), 1));
  p.drawLine(QPointF(478, 86.5), QPointF(658, 86.5));

  struct Row {
    QString label;
    double top;
    QColor ball;
  };
  const Row rows[] = {{QStringLiteral("款式"), 101, kCinnabar},
                      {QStringLiteral("背景"), 144, kGold},
                      {QStringLiteral("字颜色"), 184, QColor(64, 150, 140)},
                      {QStringLiteral("字大小"), 224, QColor(110, 130, 200)}};
  const QFont font = Lettering(15);
  const double cell = QFontMetricsF(font).horizontalAdvance(QStringLiteral("字"));
  for (const Row& row : rows) {
    const double mid = row.top + 12.5;
    PaintBall(p, QPointF(472, mid), row.ball);
    p.setFont(font);
    p.setPen(kPaper);
    // Two-character labels are spread to the width of the three-character ones.
    const double left = 484;
    if (row.label.size() == 2) {
      p.drawText(QRectF(left, row.top, cell, 25), Qt::AlignCenter, row.label.left(1));
      p.drawText(QRectF(left + 2 * cell, row.top, cell, 25), Qt::AlignCenter, row.label.mid(1));
    } else {
      for (int i = 0; i < 3; ++i) {
        p.drawText(QRectF(left + i * cell, row.top, cell, 25), Qt::AlignCenter, row.label.mid(i, 1));
      }
    }
  }
}

void PaintButton(QPainter& p, const QRectF& area, const QString& text, const QColor& colour) {
  const QRectF face = area.adjusted(1.5, 1.5, -1.5, -1.5);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawRoundedRect(face.translated(0, 2), 7, 7);
  QLinearGradient shade(face.topLeft(), face.bottomLeft());
  shade.setColorAt(0, colour.lighter(135));
  shade.setColorAt(0.5, colour);
  shade.setColorAt(1, colour.darker(125));
  p.setPen(QPen(colour.darker(150), 1));
  p.setBrush(shade);
  p.drawRoundedRect(face, 7, 7);
  p.setPen(QPen(QColor(255, 255, 255, 70), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(face.adjusted(1.5, 1.5, -1.5, -1.5), 5.5, 5.5);
  p.setFont(Lettering(std::min(15.0, face.width() / 2.6), true));
  p.setPen(Qt::white);
  p.drawText(face, Qt::AlignCenter, text.left(2) + "\n" + text.mid(2));
}

void PaintFooter(QPainter& p) {
  p.setPen(QColor(214, 204, 180, 170));
  p.setFont(Lettering(11));
  p.drawText(QRectF(452, 384, 232, 16), Qt::AlignCenter, QStringLiteral("免费软件 · 仅供个人使用"));
  p.setPen(QColor(196, 156, 82, 200));
  p.drawText(QRectF(452, 400, 232, 16), Qt::AlignCenter,
             QStringLiteral("https://yanzhou-sign.example.org"));
}

}  // namespace

QImage PaintSkin() {
  QImage skin(720, 460, QImage::Format_RGB32);
  QPainter p(&skin);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  PaintBackground(p);
  PaintLogo(p);
  PaintNameBox(p, QStringLiteral("姓名"), QRectF(88, 102, 116, 34));
  PaintNameBox(p, QStringLiteral("英文"), QRectF(293, 102, 135, 34));
  PaintDrawingArea(p);
  PaintPanel(p);
  PaintButton(p, QRectF(528, 272, 49, 43), QStringLiteral("保存签名"), kCinnabar);
  PaintButton(p, QRectF(584, 256, 65, 52), QStringLiteral("打印签名"), kTeal);
  PaintButton(p, QRectF(488, 320, 89, 47), QStringLiteral("手写签名"), QColor(150, 110, 50));
  PaintButton(p, QRectF(584, 312, 81, 63), QStringLiteral("使用必读"), QColor(70, 84, 110));
  PaintFooter(p);
  return skin.convertToFormat(QImage::Format_RGB888);
}

QPixmap LoadSkin() { return QPixmap::fromImage(PaintSkin()); }

QImage PaintIcon(int size) {
  QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = size;
  QLinearGradient teal(0, 0, 0, s);
  teal.setColorAt(0, kTeal.lighter(125));
  teal.setColorAt(1, kTeal.darker(120));
  p.setPen(Qt::NoPen);
  p.setBrush(teal);
  p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.18, s * 0.18);
  PaintQuill(p, QRectF(s * 0.08, s * 0.06, s * 0.86, s * 0.86));
  return icon;
}

QIcon AppIcon() {
  QIcon icon;
  for (const int size : {32, 64, 128, 256}) icon.addPixmap(QPixmap::fromImage(PaintIcon(size)));
  return icon;
}

}  // namespace yz
