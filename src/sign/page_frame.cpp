// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/page_frame.h"

#include <qpdf/QPDFPageObjectHelper.hh>

#include "sign/units.h"

namespace yz {

namespace {

QRectF BoxOf(QPDFObjectHandle box) {
  if (!box.isRectangle()) return {};
  const QPDFObjectHandle::Rectangle r = box.getArrayAsRectangle();  // normalised by qpdf
  return QRectF(QPointF(r.llx, r.lly), QPointF(r.urx, r.ury)).normalized();
}

// Only quarter turns are allowed; viewers show anything else upright.
int QuarterTurns(QPDFObjectHandle rotate) {
  if (!rotate.isInteger()) return 0;
  const long long degrees = ((rotate.getIntValue() % 360) + 360) % 360;
  return degrees % 90 == 0 ? int(degrees) : 0;
}

}  // namespace

QSizeF PageFrame::ShownPoints() const {
  const QSizeF size = box.size() * userUnit;
  return rotation % 180 == 0 ? size : size.transposed();
}

QSizeF PageFrame::ShownMillimetres() const { return ShownPoints() / kPointsPerMillimetre; }

QTransform PageFrame::ShownToUser() const {
  const double k = 1 / userUnit;
  const double left = box.left(), right = box.right();
  const double bottom = box.top(), top = box.bottom();  // QRectF's top is the smaller y
  switch (rotation) {
    case 90: return QTransform(0, k, -k, 0, right, bottom);
    case 180: return QTransform(-k, 0, 0, -k, right, top);
    case 270: return QTransform(0, -k, k, 0, left, top);
    default: return QTransform(k, 0, 0, k, left, bottom);
  }
}

PageFrame FrameOfPage(QPDFPageObjectHelper& page) {
  PageFrame frame;
  const QRectF media = BoxOf(page.getMediaBox());
  if (!media.isEmpty()) frame.box = media;
  // A crop box reaching past the media box is cut to it; one wholly outside it is ignored.
  const QRectF crop = BoxOf(page.getCropBox()).intersected(frame.box);
  if (!crop.isEmpty()) frame.box = crop;
  frame.rotation = QuarterTurns(page.getAttribute("/Rotate", false));
  QPDFObjectHandle unit = page.getObjectHandle().getKey("/UserUnit");
  if (unit.isNumber() && unit.getNumericValue() > 0) frame.userUnit = unit.getNumericValue();
  return frame;
}

}  // namespace yz
