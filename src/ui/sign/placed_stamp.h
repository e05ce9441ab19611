// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include "sign/signing_plan.h"

namespace yz {

// A stamp the user put on the document in the signing window: which one, where its ink's
// top-left is and how wide its ink is, in millimetres on the page as a viewer shows it. Its
// height follows from the art's proportions, so that no edit can stretch it. The place belongs
// to the page it was put on; other pages get it through PlaceOnPage.
struct PlacedStamp {
  Stamp::Kind kind = Stamp::Kind::Signature;  // Signature or Seal: the date follows the signature
  int page = 1;  // the page it was last put on, from 1
  QPointF topLeftMm;
  double widthMm = kDefaultSignatureWidthMm;
  QSizeF pageMm;  // the size of that page as shown; empty: the same as every other page
  bool operator==(const PlacedStamp&) const = default;
};

using PlacedStamps = QList<PlacedStamp>;

// Where the date goes against the signature.
enum class DatePlace { Under, Beside };

// The smallest and largest width a stamp can be given, in millimetres.
inline constexpr double kMinStampWidthMm = 3;
inline constexpr double kMaxStampWidthMm = 400;

// The box of a stamp of proportions `heightPerWidth`.
QRectF StampBoxMm(const PlacedStamp& stamp, double heightPerWidth);

// The date's box beside a signature box: a third of the signature's height tall, centred under
// it with a small gap, or to its right with its foot on the signature's foot.
QRectF DateBoxMm(const QRectF& signatureMm, double dateHeightPerWidth, DatePlace place);

// `stamp` with its width scaled by `factor` about its centre, kept within the width limits.
PlacedStamp ScaledAboutCentre(const PlacedStamp& stamp, double heightPerWidth, double factor);

// `stamp` resized by dragging the corner opposite `anchorMm` to `pointerMm`: the anchor stays,
// the proportions stay, and the width is the larger of what the pointer asks across and down.
// Where a stamp placed on a page of `stamp.pageMm` goes on a page of `targetMm`: it keeps its
// distance from the corner of its own page it is nearest to, so that a signature at the foot
// of a portrait page sits at the foot of a landscape one too. A stamp that would then reach off
// the target page is pulled inside it (if it fits) and `pulledInside` says so.
PlacedStamp PlaceOnPage(const PlacedStamp& stamp, double heightPerWidth, QSizeF targetMm,
                        bool* pulledInside = nullptr);

// `topLeftMm` moved as little as possible so that a box of `size` lies on a page of `pageMm`;
// a box larger than the page keeps its top-left corner on the page.
QPointF KeptOnPage(QPointF topLeftMm, QSizeF size, QSizeF pageMm);

PlacedStamp ResizedFromAnchor(const PlacedStamp& stamp, double heightPerWidth, QPointF anchorMm,
                              QPointF pointerMm);

}  // namespace yz
