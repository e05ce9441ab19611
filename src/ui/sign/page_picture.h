// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QSize>

class QPdfDocument;

namespace yz {

// Page `page` (from 0) of the document drawn to fill `size` pixels, on white paper: the
// library draws only what the page paints and leaves the rest transparent. A page it cannot
// draw comes back as blank paper.
QImage PagePicture(QPdfDocument& document, int page, QSize size);

// The largest size of `pageMm`'s proportions that fits in `box`, at least 1 × 1.
QSize FittedPageSize(QSizeF pageMm, QSize box);

}  // namespace yz
