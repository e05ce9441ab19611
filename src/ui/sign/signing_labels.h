// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRectF>
#include <QSizeF>
#include <vector>

class QPdfDocument;

namespace yz {

// Where page `page` (from 0) of `document` says in its own text where to sign (签名, 签字, 签章,
// 盖章, 签署, Signature …): each label's box in millimetres from the page's top-left as shown.
// Only unrotated pages are read; a rotated page's text runs across and says nothing here.
std::vector<QRectF> SigningLabelBoxesMm(QPdfDocument& document, int page, QSizeF pageMm, int rotation);

}  // namespace yz
