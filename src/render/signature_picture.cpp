// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/signature_picture.h"

#include "render/draw_signature.h"
#include "render/qt_canvas.h"
#include "seams/failure.h"

namespace yz {

namespace {

QImage Draw(const DrawingRequest& request, const Installation& installation,
            QtFontRegistry& fonts, PictureLoader& pictures, VectorDrawing* shapes,
            bool offCanvasToo = false) {
  QtCanvas canvas(fonts, kCanvasInnerPixels, request.scale,
                  request.background ? QtCanvas::Ground::White : QtCanvas::Ground::Transparent);
  canvas.RecordShapes(shapes, offCanvasToo);
  const Drawing drawing = DrawSignature(request, installation, {canvas, fonts, pictures});
  if (drawing.failure) throw Failure(*drawing.failure);
  return canvas.Image();
}

}  // namespace

QImage DrawSignaturePicture(const DrawingRequest& request, const Installation& installation,
                            QtFontRegistry& fonts, PictureLoader& pictures) {
  return Draw(request, installation, fonts, pictures, nullptr);
}

VectorDrawing DrawSignatureShapes(const DrawingRequest& request, const Installation& installation,
                                  QtFontRegistry& fonts, PictureLoader& pictures,
                                  bool offCanvasToo) {
  // Outlines taken from the fonts at the largest scale, where hinting no longer bends them; the
  // canvas keeps them in scale-1 pixels.
  VectorDrawing shapes;
  DrawingRequest large = request;
  large.scale = kMaxScale;
  Draw(large, installation, fonts, pictures, &shapes, offCanvasToo);
  return shapes;
}

}  // namespace yz
