// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QSize>

#include "app/installation.h"
#include "render/drawing_request.h"
#include "render/qt_font_registry.h"
#include "render/vector_drawing.h"
#include "seams/picture_loader.h"

namespace yz {

// The window's picMain: 5820 × 3920 twips, 388 × 261 pixels inside its border.
inline constexpr QSize kCanvasInnerPixels{388, 261};
// The largest picture drawn, in times the window's size.
inline constexpr int kMaxScale = 8;

// Draws the request on a fresh canvas of the window's size, `request.scale` times as many pixels
// each way; without a background the ground is transparent. Throws Failure for a step that
// cannot be done.
QImage DrawSignaturePicture(const DrawingRequest& request, const Installation& installation,
                            QtFontRegistry& fonts, PictureLoader& pictures);

// The same drawing kept as shapes: the glyphs as outlines, the seal's frame as boxes, the
// background (if any) as the picture under them. Throws Failure as DrawSignaturePicture does.
// `offCanvasToo` keeps also the strokes that fall wholly outside the canvas.
VectorDrawing DrawSignatureShapes(const DrawingRequest& request, const Installation& installation,
                                  QtFontRegistry& fonts, PictureLoader& pictures,
                                  bool offCanvasToo = false);

}  // namespace yz
