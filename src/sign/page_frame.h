// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRectF>
#include <QSizeF>
#include <QTransform>

class QPDFPageObjectHelper;

namespace yz {

// A page as a viewer shows it: its visible box (the crop box, within the media box) in the
// page's own coordinates, turned by its rotation and scaled by its user unit.
struct PageFrame {
  QRectF box{0, 0, 612, 792};  // in the page's user space, y up: x, y is the lower left
  int rotation = 0;            // 0, 90, 180 or 270, clockwise as shown
  double userUnit = 1;         // points to a unit of user space

  // The page's size as shown, in points.
  QSizeF ShownPoints() const;
  QSizeF ShownMillimetres() const;
  // Maps points of the page as shown (from its lower left, y up, upright) into the page's user
  // space: what a stamp must be drawn through to appear upright where the user put it.
  QTransform ShownToUser() const;
};

// The page's frame, its boxes and rotation taken also from the page tree above it.
PageFrame FrameOfPage(QPDFPageObjectHelper& page);

}  // namespace yz
