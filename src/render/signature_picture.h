#pragma once

#include <QImage>
#include <QSize>

#include "app/installation.h"
#include "render/drawing_request.h"
#include "render/qt_font_registry.h"
#include "seams/picture_loader.h"

namespace yz {

// The window's picMain: 5820 × 3920 twips, 388 × 261 pixels inside its border.
inline constexpr QSize kCanvasInnerPixels{388, 261};

// Draws the request on a fresh canvas of the window's size, `request.scale` times as many pixels
// each way; without a background the ground is transparent. Throws Failure for a step that
// cannot be done.
QImage DrawSignaturePicture(const DrawingRequest& request, const Installation& installation,
                            QtFontRegistry& fonts, PictureLoader& pictures);

}  // namespace yz
