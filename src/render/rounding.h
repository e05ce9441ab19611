// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

namespace yz {

// A floating-point position stored in a 32-bit integer: nearest, halves to the even neighbour.
// Throws Failure when the value is not a number or leaves the 32-bit range, so that an absurd
// position ends the drawing instead of wrapping round.
qint32 RoundHalfEven(double value);

// A 32-bit sum of positions and widths, checked rather than wrapped.
qint32 CheckedSum(qint64 sum);

}  // namespace yz
