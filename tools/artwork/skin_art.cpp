// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "skin_art.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "background_art.h"
#include "button_art.h"
#include "lettering.h"
#include "palette.h"
#include "quill.h"
#include "skin_layout.h"

namespace art {

namespace {

QColor WithAlpha(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

// A raised plate: the banner and the settings panel stand on these.
void PaintPlate(QPainter& p, const QRectF& plate, double radius) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 60));
  p.drawRoundedRect(plate.translated(0, 2), radius, radius);
  QLinearGradient shade(plate.topLeft(), plate.bottomLeft());
  shade.setColorAt(0, QColor(40, 60, 61, 235));
  shade.setColorAt(1, QColor(22, 31, 33, 235));
  p.setBrush(shade);
  p.setPen(QPen(WithAlpha(kGold, 90), 1));
  p.drawRoundedRect(plate.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
  p.setPen(QPen(QColor(255, 255, 255, 18), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(plate.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1, radius - 1);
}

void PaintSeal(QPainter& p, const QRectF& seal, const QString& twoCharacters) {
  p.setPen(Qt::NoPen);
  p.setBrush(kCinnabar);
  p.drawRoundedRect(seal, 3, 3);
  p.setPen(QPen(WithAlpha(kPaper, 200), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(seal.adjusted(2.5, 2.5, -2.5, -2.5), 1.5, 1.5);
  p.setFont(Lettering(Face::KaiBold, seal.height() * 0.42));
  p.setPen(kPaper);
  const QRectF top(seal.left(), seal.top() + 2, seal.width(), seal.height() / 2 - 2);
  p.drawText(top, Qt::AlignHCenter | Qt::AlignBottom, twoCharacters.left(1));
  p.drawText(top.translated(0, seal.height() / 2 - 2), Qt::AlignHCenter | Qt::AlignTop, twoCharacters.mid(1));
}

void PaintLogo(QPainter& p) {
  const QRectF banner = layout::kBanner;
  PaintPlate(p, banner, 7);
  // The quill on a rice-paper disc, like a medallion.
  const QRectF disc(banner.left() + 9, banner.center().y() - 21, 42, 42);
  QRadialGradient paper(disc.center() - QPointF(6, 6), 30);
  paper.setColorAt(0, kPaper);
  paper.setColorAt(1, kPaperDim);
  p.setPen(QPen(WithAlpha(kGold, 160), 1));
  p.setBrush(paper);
  p.drawEllipse(disc);
  Paint(p, Quill(disc.adjusted(5, 4, -3, -5), QuillDetail::Fine));

  const QString name = QStringLiteral("砚舟签名设计");
  const QFont font = Lettering(Face::KaiBold, 29);
  const QRectF nameBox(disc.right() + 11, banner.top(), 200, banner.height());
  p.setFont(font);
  p.setPen(QColor(0, 0, 0, 140));
  p.drawText(nameBox.translated(1, 1.5), Qt::AlignLeft | Qt::AlignVCenter, name);
  p.setPen(kPaper);
  p.drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter, name);
  const double nameRight = nameBox.left() + QFontMetricsF(font).horizontalAdvance(name);

  const QRectF seal(banner.right() - 42, banner.center().y() - 15.5, 31, 31);
  PaintSeal(p, seal, QStringLiteral("免费"));
  // The motto between the name and the seal, with a hairline before it.
  const QRectF motto(nameRight + 8, banner.top(), seal.left() - nameRight - 16, banner.height());
  p.setPen(QPen(WithAlpha(kGold, 110), 1));
  p.drawLine(QPointF(motto.left() + 0.5, banner.top() + 18), QPointF(motto.left() + 0.5, banner.bottom() - 17));
  p.setFont(Lettering(Face::KaiRegular, 13));
  p.setPen(kGold);
  p.drawText(motto, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("落笔成章"));
}

void PaintNameBox(QPainter& p, const QString& label, const QRect& box) {
  p.setFont(Lettering(Face::KaiBold, 17));
  p.setPen(kPaper);
  p.drawText(QRectF(box.left() - 46, box.top(), 40, box.height()), Qt::AlignRight | Qt::AlignVCenter, label);
  const QRectF outline = QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawRoundedRect(outline.translated(0, 1.5), 4, 4);
  p.setBrush(Qt::white);
  p.setPen(QPen(QColor(160, 150, 128), 1));
  p.drawRoundedRect(outline, 4, 4);
  // A faint inset shadow at the top edge, clear of the text box itself.
  p.setPen(QPen(QColor(0, 0, 0, 28), 1));
  p.drawLine(QPointF(box.left() + 4, box.top() + 1.5), QPointF(box.right() - 3, box.top() + 1.5));
}

void PaintDrawingArea(QPainter& p) {
  const QRect white = layout::kPicMain;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawRect(QRectF(white).adjusted(-3, -1, 4, 5));
  p.setRenderHint(QPainter::Antialiasing, false);
  // Three pixels of dark green just outside the white, then a gold hairline.
  p.fillRect(white.adjusted(-3, -3, 3, 3), kFrameGreen.darker(115));
  p.fillRect(white.adjusted(-2, -2, 2, 2), kFrameGreen.lighter(150));
  p.fillRect(white.adjusted(-1, -1, 1, 1), kFrameGreen);
  p.fillRect(white, Qt::white);
  p.setPen(WithAlpha(kGold, 120));
  p.setBrush(Qt::NoBrush);
  p.drawRect(white.adjusted(-5, -5, 4, 4));
  p.setRenderHint(QPainter::Antialiasing, true);
}

void PaintBall(QPainter& p, const QPointF& centre, const QColor& colour) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 80));
  p.drawEllipse(centre + QPointF(0.5, 1.5), 6.5, 6.5);
  QRadialGradient ball(centre + QPointF(-2.2, -2.4), 8.5);
  ball.setColorAt(0, colour.lighter(190));
  ball.setColorAt(0.45, colour);
  ball.setColorAt(1, colour.darker(160));
  p.setBrush(ball);
  p.drawEllipse(centre, 6.5, 6.5);
  p.setBrush(QColor(255, 255, 255, 150));
  p.drawEllipse(centre + QPointF(-2.2, -2.6), 1.8, 1.3);
}

// A label spread over three character cells, so 款式 lines up with 字颜色.
void DrawSpacedLabel(QPainter& p, const QString& label, const QRectF& cells) {
  const double cell = cells.width() / 3;
  const int count = int(label.size());
  for (int i = 0; i < count; ++i) {
    const int slot = count == 3 ? i : i * 2;
    p.drawText(QRectF(cells.left() + slot * cell, cells.top(), cell, cells.height()), Qt::AlignCenter,
               label.mid(i, 1));
  }
}

void PaintPanel(QPainter& p) {
  const QRectF panel = layout::kPanel;
  PaintPlate(p, panel, 9);

  const QRectF heading(panel.left(), panel.top() + 12, panel.width(), 30);
  p.setFont(Lettering(Face::KaiBold, 20));
  p.setPen(kPaper);
  p.drawText(heading, Qt::AlignCenter, QStringLiteral("签名设置"));
  // Hairlines either side of a small cinnabar lozenge under the heading.
  const double y = heading.bottom() + 6.5, mid = panel.center().x();
  p.setPen(QPen(WithAlpha(kGold, 150), 1));
  p.drawLine(QPointF(panel.left() + 26, y), QPointF(mid - 8, y));
  p.drawLine(QPointF(mid + 8, y), QPointF(panel.right() - 26, y));
  p.setPen(Qt::NoPen);
  p.setBrush(kCinnabar);
  p.drawPolygon(QPolygonF({QPointF(mid, y - 4), QPointF(mid + 4, y), QPointF(mid, y + 4), QPointF(mid - 4, y)}));

  struct Row {
    QString label;
    QRect control;
    QColor ball;
  };
  const Row rows[] = {{QStringLiteral("款式"), layout::kCboFont, kCinnabar},
                      {QStringLiteral("背景"), layout::kCboImg, kTealLight},
                      {QStringLiteral("字颜色"), layout::kColorPreview, kGold},
                      {QStringLiteral("字大小"), layout::kCboSize, kIndigo.lighter(130)}};
  const QFont font = Lettering(Face::KaiBold, 16);
  const double cells = 3 * QFontMetricsF(font).horizontalAdvance(QStringLiteral("字"));
  for (const Row& row : rows) {
    const QRectF level(row.control.left() - 6 - cells, row.control.top(), cells, row.control.height());
    PaintBall(p, QPointF(level.left() - 12, level.center().y()), row.ball);
    p.setFont(font);
    p.setPen(kPaper);
    DrawSpacedLabel(p, row.label, level);
    // A calm inset well the control stands in.
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawRoundedRect(QRectF(row.control).adjusted(-2.5, -2.5, 2.5, 2.5), 3, 3);
  }

  // A recessed tray under the four buttons.
  const QRectF tray = QRectF(layout::kImgUrlMore.left(), layout::kImgPrint.top(),
                             layout::kImgHelp.right() + 1 - layout::kImgUrlMore.left(),
                             layout::kImgHelp.bottom() + 1 - layout::kImgPrint.top())
                          .adjusted(-7, -6, 7, 6);
  p.setPen(QPen(QColor(255, 255, 255, 16), 1));
  p.setBrush(QColor(0, 0, 0, 45));
  p.drawRoundedRect(tray.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
  // The corner the buttons leave free carries the maker's seal, set slightly askew.
  p.save();
  p.translate(layout::kImgUrlMore.left() + 20, layout::kImgSave.top() + 8);
  p.rotate(-6);
  PaintSeal(p, QRectF(-14, -14, 28, 28), QStringLiteral("砚舟"));
  p.restore();
}

void PaintButtons(QPainter& p) {
  PaintButton(p, layout::kImgSave, QStringLiteral("保存签名"), Pictogram::Save, kCinnabar);
  PaintButton(p, layout::kImgPrint, QStringLiteral("打印签名"), Pictogram::Print, kTeal);
  PaintButton(p, layout::kImgUrlMore, QStringLiteral("手写签名"), Pictogram::Handwrite, QColor(150, 112, 54));
  PaintButton(p, layout::kImgHelp, QStringLiteral("使用必读"), Pictogram::Help, kIndigo);
  PaintButton(p, layout::kImgSignDocument, QStringLiteral("签署 PDF 文档"), Pictogram::SignDocument, kTeal);
}

void PaintFooter(QPainter& p) {
  const QRectF panel = layout::kPanel;
  const double top = panel.bottom() - 33;
  p.setPen(QPen(WithAlpha(kGold, 70), 1));
  p.drawLine(QPointF(panel.left() + 18, top + 0.5), QPointF(panel.right() - 18, top + 0.5));
  p.setFont(Lettering(Face::Sans, 11));
  p.setPen(kPaperDim);
  p.drawText(QRectF(panel.left(), top + 2, panel.width(), 15), Qt::AlignCenter,
             QStringLiteral("自由软件 · GPL 3.0 或更新版本"));
  p.setPen(kGold);
  p.drawText(QRectF(panel.left(), top + 16, panel.width(), 15), Qt::AlignCenter,
             QStringLiteral("https://yanzhou-sign.example.org"));
}

}  // namespace

QImage SkinImage(int scale) {
  QImage skin(layout::kWidth * scale, layout::kHeight * scale, QImage::Format_RGB32);
  // Everything below paints in the skin's own pixels; the ratio puts them on the finer grid.
  skin.setDevicePixelRatio(scale);
  PaintBackground(skin);
  QPainter p(&skin);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  PaintLogo(p);
  PaintNameBox(p, QStringLiteral("姓名"), layout::kBoxCN);
  PaintNameBox(p, QStringLiteral("英文"), layout::kBoxEN);
  PaintDrawingArea(p);
  PaintPanel(p);
  PaintButtons(p);
  PaintFooter(p);
  p.end();
  return skin.convertToFormat(QImage::Format_RGB888);
}

QImage SkinPreview(const QImage& skin) {
  QImage preview = skin.convertToFormat(QImage::Format_RGB32);
  QPainter p(&preview);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 200, 200));
  for (const QRect& control : {layout::kCboFont, layout::kCboImg, layout::kCboSize})
    p.drawRect(control);
  p.setBrush(QColor(0, 0, 0));
  p.drawRect(layout::kColorPreview);
  p.setBrush(QColor(240, 240, 240, 160));
  for (const QRect& control : {layout::kTxtCN, layout::kTxtEN}) p.drawRect(control);
  p.setBrush(Qt::NoBrush);
  p.setPen(QColor(255, 0, 255));
  for (const QRect& image : {layout::kLogo, layout::kImgSave, layout::kImgPrint, layout::kImgUrlMore,
                             layout::kImgHelp, layout::kPicMain, layout::kImgSignDocument})
    p.drawRect(image.adjusted(0, 0, -1, -1));
  p.fillRect(QRect(719, 0, 1, 460), QColor(255, 0, 255));
  p.fillRect(QRect(0, 459, 720, 1), QColor(255, 0, 255));
  return preview;
}

}  // namespace art
