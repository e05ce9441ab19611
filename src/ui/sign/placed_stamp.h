// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

#include "sign/signing_plan.h"

namespace yz {

// A stamp the user put on the document in the signing window: which one, where its ink's
// top-left is and how wide its ink is, in millimetres on the page as a viewer shows it. Its
// height follows from the art's proportions, so that no edit can stretch it.
struct PlacedStamp {
  Stamp::Kind kind = Stamp::Kind::Signature;  // Signature or Seal: the date follows the signature
  int page = 1;  // the page it was last put on, from 1: where 本页 puts it
  QPointF topLeftMm;
  double widthMm = kDefaultSignatureWidthMm;
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
PlacedStamp ResizedFromAnchor(const PlacedStamp& stamp, double heightPerWidth, QPointF anchorMm,
                              QPointF pointerMm);

}  // namespace yz
