// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QRectF>
#include <QString>

namespace yz::testing {

// The page as mupdf draws it (its crop box, turned) at 144 dots per inch.
QImage RenderPageWithMupdf(const QString& pdf, int page, int dpi = 144);

// Expects the blue stamp upright with its ink at `mm` (millimetres from the top-left of the page
// as shown) on `picture`, drawn at 144 dots per inch, within a pixel.
void ExpectBlueStampAt(const QImage& picture, const QRectF& mm);

// The blue stamp at 30, 40 mm, 25 mm wide, as the placement checks put it, by poppler and mupdf.
void ExpectStampAt(const QString& pdf, int page);

}  // namespace yz::testing
