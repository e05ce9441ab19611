// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRectF>
#include <vector>

#include "sign/ink_grid.h"

namespace yz {

// What a person sees of a page's layout at a glance, read from its ink: the lines of its text,
// the margins they keep, the footer under them (a page number, a rule) and the lines drawn for
// a signature (a rule or a run of underscores with white above it). Millimetres from the page's
// top-left as shown.
struct PageInkLayout {
  bool blank = true;               // no ink above the footer
  QRectF textMm;                   // the extent of the ink above the footer
  std::vector<QRectF> linesMm;     // each run of rows holding ink above the footer, top down
  double footerTopMm = 0;          // the page's height when it has no footer
  std::vector<QRectF> signatureLinesMm;  // above the footer, top down; each as thick as drawn
};

// `labelBoxesMm`: the page's signing labels; a line holding one is text, never footer.
PageInkLayout ReadPageInkLayout(const InkGrid& grid, const std::vector<QRectF>& labelBoxesMm);

}  // namespace yz
