// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRectF>

#include "vector_shape.h"

namespace art {

// The red quill pen: a feather rising from a nib at the lower left to its tip at the upper
// right, fitted into box. Fine barbs are left out where they would only blur (small icons).
enum class QuillDetail { Bold, Fine };
Drawing Quill(const QRectF& box, QuillDetail detail);

}  // namespace art
