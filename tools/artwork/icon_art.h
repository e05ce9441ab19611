// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

#include "vector_shape.h"

namespace art {

// The program's icon, a red quill on a teal square, in a 100 × 100 unit square.
constexpr double kIconUnits = 100;
Drawing IconDrawing(bool fine);

// The icon as a bitmap of size × size pixels, small sizes with the bold drawing; at scale 2 the
// same drawing at twice the pixels.
QImage IconImage(int size, int scale = 1);

}  // namespace art
