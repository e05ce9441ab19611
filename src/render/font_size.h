// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace yz {

// The largest size the canvas is asked to draw: several times the canvas's own height, far past
// the size list's 190, and still a glyph size the rasteriser handles.
inline constexpr double kMaxFontPoints = 1000.0;
inline constexpr double kMinFontPoints = 1.0;

// The cboSize text read the way a number conversion reads it: blanks around the number are
// allowed, anything else is not ("60.5" is 60.5, "12abc" fails). Throws Failure for a text that
// is not a number or a size outside kMinFontPoints..kMaxFontPoints.
double ParseFontSize(const QString& sizeText);

}  // namespace yz
