// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/stamp_art.h"

#include "seams/failure.h"

namespace yz {

double StampArt::HeightForWidth(double widthMm) const {
  return ink.width() > 0 ? widthMm * ink.height() / ink.width() : 0;
}

StampArt DrawingArt(const DrawingRequest&, const StampTools&) {
  throw Failure(QStringLiteral("签署文档尚未完成：还不能画出印章"));
}

StampArt TextArt(const QString&, Colour) {
  throw Failure(QStringLiteral("签署文档尚未完成：还不能画出日期"));
}

StampArt StampArtFor(const Stamp& stamp, const StampTools& tools) {
  if (stamp.kind == Stamp::Kind::Date) return TextArt(stamp.dateText, stamp.dateInk);
  return DrawingArt(stamp.request, tools);
}

void PaintStampArt(QPainter&, const StampArt&, const QRectF&) {}

}  // namespace yz
