// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sharp_canvas.h"

#include <cmath>

#include "render/signature_picture.h"

namespace yz {

void SharpCanvas::Follow(qreal devicePixelRatio) {
  const int scale = fonts_ ? std::max(1, int(std::ceil(devicePixelRatio - 1e-6))) : 1;
  if (scale == scale_ && (scale == 1) == !canvas_) return;
  scale_ = scale;
  canvas_ = scale > 1 ? std::make_unique<QtCanvas>(*fonts_, kCanvasInnerPixels, scale) : nullptr;
}

void SharpCanvas::Run(DrawingStep step, DrawingRequest request, const Installation& installation,
                      PictureLoader& pictures) {
  if (!canvas_) return;
  request.scale = scale_;
  step(request, installation, {*canvas_, *fonts_, pictures});
}

}  // namespace yz
