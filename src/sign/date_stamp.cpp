// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/date_stamp.h"

namespace yz {

Stamp DateStampBy(const Stamp& signature, const StampArt& signatureArt, const QString& text,
                  const StampArt& dateArt, DateSide side) {
  Stamp date;
  date.kind = Stamp::Kind::Date;
  date.dateText = text;
  date.dateInk = signature.request.ink == kWhite ? kBlack : signature.request.ink;
  date.pages = signature.pages;
  date.blend = signature.blend;
  const double ratio = dateArt.inkMm.height() > 0 ? dateArt.inkMm.width() / dateArt.inkMm.height() : 1;
  date.widthMm = kDateHeightMm * ratio;
  const double signatureHeight = signatureArt.HeightForWidth(signature.widthMm);
  if (side == DateSide::Under) {
    date.topLeftMm = signature.topLeftMm + QPointF(0, signatureHeight + kDateGapMm);
  } else {
    date.topLeftMm = signature.topLeftMm +
                     QPointF(signature.widthMm + kDateGapMm, signatureHeight - kDateHeightMm);
  }
  return date;
}

}  // namespace yz
