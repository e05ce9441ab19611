// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/stamp_places.h"

#include <algorithm>

namespace yz {

namespace {

constexpr int kInkBelow = 200;  // grey levels darker than this are ink

// The page's ink extent in millimetres (null when the page is blank).
QRectF InkExtentMm(const QImage& page, const QSizeF& pageMm) {
  const QImage grey = page.convertToFormat(QImage::Format_Grayscale8);
  int left = grey.width(), right = -1, top = grey.height(), bottom = -1;
  for (int y = 0; y < grey.height(); ++y) {
    const uchar* row = grey.constScanLine(y);
    for (int x = 0; x < grey.width(); ++x) {
      if (row[x] >= kInkBelow) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {};
  const double sx = pageMm.width() / grey.width(), sy = pageMm.height() / grey.height();
  return QRectF(left * sx, top * sy, (right + 1 - left) * sx, (bottom + 1 - top) * sy);
}

}  // namespace

StampPlaces SuggestStampPlaces(const QImage& page, const QSizeF& pageMm, const StampSizesMm& sizes,
                               const std::vector<QRectF>& /*labelBoxesMm*/) {
  QRectF text = page.isNull() ? QRectF() : InkExtentMm(page, pageMm);
  if (text.isNull()) text = QRectF(QPointF(25, 25), pageMm - QSizeF(50, 50));
  const QSizeF sig = sizes.signature;
  const double sealOverlap = sizes.seal ? std::min(0.3 * sig.width(), 0.4 * sizes.seal->width()) : 0;
  const double groupWidth = sig.width() + (sizes.seal ? sizes.seal->width() - sealOverlap : 0);
  const double dateHeight = sizes.date ? sizes.date->height() + 2 : 0;
  StampPlaces places;
  const double x = std::max(text.left(), text.right() - groupWidth);
  double y = text.bottom() + 6;
  places.roomFound = y + sig.height() + dateHeight <= pageMm.height() - 10;
  if (!places.roomFound) y = std::max(text.top(), text.bottom() - sig.height() - dateHeight);
  places.signature = {x, y};
  if (sizes.seal)
    places.seal = QPointF(x + sig.width() - sealOverlap, y + (sig.height() - sizes.seal->height()) / 2);
  if (sizes.date) places.date = QPointF(x, y + sig.height() + 2);
  return places;
}

}  // namespace yz
