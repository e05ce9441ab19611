// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <optional>
#include <vector>

namespace yz {

struct StampSizesMm { QSizeF signature; std::optional<QSizeF> seal; std::optional<QSizeF> date; };
struct StampPlaces {
  QPointF signature;
  std::optional<QPointF> seal;
  std::optional<QPointF> date;
  // True when the signature sits on the page's signature line or by a signing label.
  bool onSignatureLine = false;
  // False when the page had no white space for the stamps inside its text's margins: they then
  // sit where the page asks for a name (by its signing label, on its signature line), covering
  // as little of it as they can, else at the bottom right inside those margins.
  bool roomFound = false;
};
// page: the page drawn on white at any resolution; pageMm: its size as shown; labelBoxesMm:
// where the page's own text holds a signing label (签名, 签字, 签章, 盖章, Signature …), found by the caller.
// All points are the top-left corner of the ink's box, in millimetres from the page's top-left
// as shown; the seal and the date are in the result exactly when their sizes are given.
StampPlaces SuggestStampPlaces(const QImage& page, const QSizeF& pageMm, const StampSizesMm& sizes, const std::vector<QRectF>& labelBoxesMm);

}  // namespace yz
