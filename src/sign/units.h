// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace yz {

// The drawings are in the canvas's pixels, 96 to the inch; documents in points, 72 to the inch;
// the user places stamps in millimetres.
inline constexpr int kPixelsPerInch = 96;
inline constexpr double kPointsPerPixel = 72.0 / kPixelsPerInch;
inline constexpr double kMillimetresPerInch = 25.4;
inline constexpr double kMillimetresPerPixel = kMillimetresPerInch / kPixelsPerInch;
inline constexpr double kPointsPerMillimetre = 72.0 / kMillimetresPerInch;

}  // namespace yz
