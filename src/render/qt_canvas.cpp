// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/qt_canvas.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace yz {

namespace {
constexpr int kDotsPerMeterAt96Dpi = 3780;  // Qt rounds this back to 96 dpi
}

QtCanvas::QtCanvas(QtFontRegistry& fonts, QSize innerPixels, int scale, Ground ground)
    : fonts_(fonts), inner_(innerPixels.expandedTo(QSize(1, 1))), scale_(std::max(1, scale)),
      ground_(ground),
      image_(inner_ * scale_, ground == Ground::White ? QImage::Format_RGB32
                                                      : QImage::Format_ARGB32_Premultiplied) {
  image_.setDotsPerMeterX(kDotsPerMeterAt96Dpi);
  image_.setDotsPerMeterY(kDotsPerMeterAt96Dpi);
  ClearToGround();
  Realise();
}

void QtCanvas::ClearToGround() {
  image_.fill(ground_ == Ground::White ? QColor(Qt::white) : QColor(Qt::transparent));
}

QFont QtCanvas::MakeFont() const {
  QFont font(fonts_.FamilyForFace(face_));
  // Point sizes at the image's 96 dpi are exactly points × 96 / 72 pixels, and unlike pixel
  // sizes they keep 60.5 pt apart from 60 pt.
  font.setPointSizeF(points_ * scale_);
  font.setStyleStrategy(QFont::PreferAntialias);
  font.setKerning(false);
  return font;
}

void QtCanvas::Realise() {
  font_ = MakeFont();
  fontGeneration_ = fonts_.Generation();
  lineHeightTwips_ = ToTwips(QFontMetricsF(font_, &image_).height());
}

// The face resolved afresh once registrations changed, so that a face whose file was removed
// draws in the substitute; the line height stays the realised one.
const QFont& QtCanvas::CurrentFont() const {
  if (fontGeneration_ != fonts_.Generation()) {
    font_ = MakeFont();
    fontGeneration_ = fonts_.Generation();
  }
  return font_;
}

void QtCanvas::RecordShapes(VectorDrawing* into, bool offCanvasToo) {
  shapes_ = into;
  offCanvasToo_ = offCanvasToo;
  if (!shapes_) return;
  shapes_->size = inner_;
  shapes_->whiteGround = ground_ == Ground::White;
}

// Kept in scale-1 pixels; what lies wholly outside the canvas is not kept unless asked for.
void QtCanvas::Record(const QPainterPath& pixels, const QColor& colour) {
  QPainterPath path = QTransform::fromScale(1.0 / scale_, 1.0 / scale_).map(pixels);
  path.setFillRule(Qt::WindingFill);  // glyphs may overlap their own contours (thickened faces)
  if (offCanvasToo_ || path.boundingRect().intersects(QRectF(QPointF(0, 0), QSizeF(inner_))))
    shapes_->shapes.push_back({path, colour});
}

void QtCanvas::Cls() {
  if (shapes_) {
    shapes_->shapes.clear();
    shapes_->background = QImage();
  }
  ClearToGround();
  currentX_ = currentY_ = 0;
}

void QtCanvas::SetPicture(const QImage& picture) {
  if (shapes_) {
    shapes_->shapes.clear();
    shapes_->background = picture;
  }
  ClearToGround();
  if (picture.isNull()) return;  // no background: the ground alone
  QPainter painter(&image_);
  if (scale_ == 1) {
    painter.drawImage(0, 0, picture);
    return;
  }
  // A larger canvas redraws at every drag move: the picture is enlarged once, not every time.
  if (picture.cacheKey() != enlargedKey_) {
    enlarged_ = QImage(picture.size() * scale_, image_.format());
    enlarged_.fill(Qt::transparent);
    QPainter enlarging(&enlarged_);
    enlarging.setRenderHint(QPainter::SmoothPixmapTransform);
    enlarging.drawImage(QRectF(QPointF(0, 0), QSizeF(enlarged_.size())), picture);
    enlargedKey_ = picture.cacheKey();
  }
  painter.drawImage(0, 0, enlarged_);
}

void QtCanvas::SetFontName(const QString& face) {
  face_ = face;
  Realise();
}

void QtCanvas::SetFontSize(double points) {
  points_ = points;
  Realise();
}

void QtCanvas::Print(const QString& text) {
  const QFont& font = CurrentFont();
  const QFontMetricsF metrics(font, &image_);
  const QPointF topLeft(ToPixels(currentX_), ToPixels(currentY_));
  if (!transparent_) {
    const QRectF box(topLeft, QSizeF(metrics.horizontalAdvance(text), metrics.height()));
    QPainter painter(&image_);
    painter.fillRect(box, Qt::white);
    if (shapes_) {
      QPainterPath path;
      path.addRect(box);
      Record(path, Qt::white);
    }
  }
  if (shapes_) {
    QPainterPath outline;
    outline.addText(topLeft + QPointF(0, metrics.ascent()), font, text);
    Record(outline, ToQColor(foreColour_));
  }
  // What the family stands for: a style file (and which parse of it) or a system font.
  const QString identity =
      fonts_.ProviderOf(font.family()) + QChar(0x1f) + QString::number(fonts_.FontsVersion());
  sprites_.Draw(image_, font, ToQColor(foreColour_), topLeft + QPointF(0, metrics.ascent()), text,
                identity);
  // Like the picture box, the next print would start on a new line at the left.
  currentX_ = 0;
  currentY_ += float(lineHeightTwips_);
}

float QtCanvas::TextWidth(const QString& text) const {
  return float(ToTwips(QFontMetricsF(CurrentFont(), &image_).horizontalAdvance(text)));
}

float QtCanvas::TextHeight(const QString&) const { return float(lineHeightTwips_); }

QString QtCanvas::DrawnFamily() const { return QFontInfo(CurrentFont()).family(); }

double QtCanvas::OutlinePixels() const {
  const double fontPixels = points_ * 96.0 / 72.0 * scale_;
  return std::max<double>(scale_, std::round(fontPixels / 16.0));
}

void QtCanvas::Line(float x1, float y1, float x2, float y2, Colour colour, LineStyle style) {
  const QRectF box = QRectF(QPointF(ToPixels(x1), ToPixels(y1)), QPointF(ToPixels(x2), ToPixels(y2)))
                         .normalized();
  QList<QRectF> parts{box};
  if (style == LineStyle::Box) {
    // The outline lies inside the box, so it ends exactly at the box's right and bottom edges.
    const double t = std::min({OutlinePixels(), box.width() / 2, box.height() / 2});
    parts = {QRectF(box.left(), box.top(), box.width(), t),
             QRectF(box.left(), box.bottom() - t, box.width(), t),
             QRectF(box.left(), box.top(), t, box.height()),
             QRectF(box.right() - t, box.top(), t, box.height())};
  }
  QPainter painter(&image_);
  const QColor qcolour = ToQColor(colour);
  QPainterPath outline;
  for (const QRectF& part : parts) {
    painter.fillRect(part, qcolour);
    outline.addRect(part);
  }
  if (shapes_) Record(outline.simplified(), qcolour);
}

}  // namespace yz
