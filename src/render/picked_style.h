// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "render/drawing_request.h"

namespace yz {

// What picking `style` in the style list would draw from the window's controls: that style,
// the size brought down to its cap, its ink, at the default place. The style gallery draws its
// thumbnails this way and the signing window its seals.
DrawingRequest AsPicked(DrawingRequest controls, int style, const QString& styleName);

}  // namespace yz
