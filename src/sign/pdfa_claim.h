// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QPDF;

namespace yz {

// The part of the archival PDF standard (PDF/A) the document's metadata claims to conform to:
// 1, 2, 3 or 4, or 0 for no claim. Part 1 forbids transparency of any kind (blend modes other
// than normal, constant alpha below 1, soft masks, transparency groups), so what is added to
// such a document must paint opaquely or the claim stops being true.
int ClaimedPdfAPart(QPDF& pdf);

}  // namespace yz
