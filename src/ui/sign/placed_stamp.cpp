// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sign/placed_stamp.h"

#include <algorithm>
#include <cmath>

namespace yz {

namespace {
constexpr double kDateShare = 1.0 / 3;  // of the signature's height
constexpr double kDateGapShare = 0.1;   // of the signature's height

double ClampWidth(double widthMm) { return std::clamp(widthMm, kMinStampWidthMm, kMaxStampWidthMm); }
}  // namespace

QRectF StampBoxMm(const PlacedStamp& stamp, double heightPerWidth) {
  return QRectF(stamp.topLeftMm, QSizeF(stamp.widthMm, stamp.widthMm * heightPerWidth));
}

QRectF DateBoxMm(const QRectF& signatureMm, double dateHeightPerWidth, DatePlace place) {
  const double height = signatureMm.height() * kDateShare;
  const double width = dateHeightPerWidth > 0 ? height / dateHeightPerWidth : 0;
  const double gap = signatureMm.height() * kDateGapShare;
  if (place == DatePlace::Beside)
    return QRectF(signatureMm.right() + gap, signatureMm.bottom() - height, width, height);
  return QRectF(signatureMm.center().x() - width / 2, signatureMm.bottom() + gap, width, height);
}

PlacedStamp ScaledAboutCentre(const PlacedStamp& stamp, double heightPerWidth, double factor) {
  const QPointF centre = StampBoxMm(stamp, heightPerWidth).center();
  PlacedStamp scaled = stamp;
  scaled.widthMm = ClampWidth(stamp.widthMm * factor);
  scaled.topLeftMm = centre - QPointF(scaled.widthMm, scaled.widthMm * heightPerWidth) / 2;
  return scaled;
}

QPointF KeptOnPage(QPointF topLeftMm, QSizeF size, QSizeF pageMm) {
  return QPointF(std::clamp(topLeftMm.x(), 0.0, std::max(0.0, pageMm.width() - size.width())),
                 std::clamp(topLeftMm.y(), 0.0, std::max(0.0, pageMm.height() - size.height())));
}

PlacedStamp PlaceOnPage(const PlacedStamp& stamp, double heightPerWidth, QSizeF targetMm,
                        bool* pulledInside) {
  if (pulledInside) *pulledInside = false;
  const QSizeF sourceMm = stamp.pageMm;
  if (sourceMm.isEmpty() || targetMm.isEmpty() || sourceMm == targetMm) return stamp;
  const QRectF box = StampBoxMm(stamp, heightPerWidth);
  // The distance from the nearest corner, across and down, kept on the other page.
  const bool right = box.center().x() > sourceMm.width() / 2;
  const bool bottom = box.center().y() > sourceMm.height() / 2;
  PlacedStamp placed = stamp;
  placed.pageMm = targetMm;
  placed.topLeftMm = QPointF(right ? targetMm.width() - (sourceMm.width() - box.left()) : box.left(),
                             bottom ? targetMm.height() - (sourceMm.height() - box.top()) : box.top());
  const QPointF inside = KeptOnPage(placed.topLeftMm, box.size(), targetMm);
  if (box.width() <= targetMm.width() && box.height() <= targetMm.height() &&
      (inside - placed.topLeftMm).manhattanLength() > 1e-6) {
    placed.topLeftMm = inside;
    if (pulledInside) *pulledInside = true;
  }
  return placed;
}

PlacedStamp ResizedFromAnchor(const PlacedStamp& stamp, double heightPerWidth, QPointF anchorMm,
                              QPointF pointerMm) {
  const QPointF span = pointerMm - anchorMm;
  const double down = heightPerWidth > 0 ? std::abs(span.y()) / heightPerWidth : 0;
  PlacedStamp resized = stamp;
  resized.widthMm = ClampWidth(std::max(std::abs(span.x()), down));
  const double height = resized.widthMm * heightPerWidth;
  // The box grows away from the anchor, on the side the pointer is.
  resized.topLeftMm = QPointF(span.x() < 0 ? anchorMm.x() - resized.widthMm : anchorMm.x(),
                              span.y() < 0 ? anchorMm.y() - height : anchorMm.y());
  return resized;
}

}  // namespace yz
