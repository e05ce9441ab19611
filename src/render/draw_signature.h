// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/installation.h"
#include "render/drawing_request.h"
#include "seams/canvas.h"
#include "seams/font_registry.h"
#include "seams/picture_loader.h"

namespace yz {

// The platform pieces a drawing works through.
struct DrawingTools {
  Canvas& picMain;
  FontRegistry& fonts;
  PictureLoader& pictures;
};

// The one drawing entry: clears the canvas, lays the background, sets the size and ink, then
// draws the name in the requested style. A step that cannot be done (no background selected, a
// background that cannot be decoded, a size that is not a sane number, no such style) ends the
// drawing there; what was drawn before it stays, and no font file stays registered.
Drawing DrawSignature(const DrawingRequest& request, const Installation& installation,
                      const DrawingTools& tools);

// The two halves of DrawSignature, for the window's first drawing without a selected style:
// it prepares the canvas, selects the first style (whose own redraw runs in between), and then
// draws the name over what that redraw left.
Drawing PrepareCanvas(const DrawingRequest& request, const Installation& installation,
                      const DrawingTools& tools);
Drawing DrawName(const DrawingRequest& request, const Installation& installation,
                 const DrawingTools& tools);

}  // namespace yz
