// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "render/layout_context.h"
#include "render/split_signature_name.h"

namespace yz {

// Measures the three parts, each in its own font file (fontPath + "1.dat", "2.dat", "3.dat"),
// then prints them side by side: centred less the offsets by default (unrounded), or from the
// given (x, y). Moves the handle over the row unless the first part is empty.
void DrawThreeFontSignature(LayoutContext& context, qint32 x, qint32 y, const QString& fontPath,
                            const SignatureParts& parts);

}  // namespace yz
