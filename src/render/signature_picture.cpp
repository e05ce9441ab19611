#include "render/signature_picture.h"

#include "render/draw_signature.h"
#include "render/qt_canvas.h"
#include "seams/failure.h"

namespace yz {

QImage DrawSignaturePicture(const DrawingRequest& request, const Installation& installation,
                            QtFontRegistry& fonts, PictureLoader& pictures) {
  QtCanvas canvas(fonts, kCanvasInnerPixels, request.scale,
                  request.background ? QtCanvas::Ground::White : QtCanvas::Ground::Transparent);
  const Drawing drawing = DrawSignature(request, installation, {canvas, fonts, pictures});
  if (drawing.failure) throw Failure(*drawing.failure);
  return canvas.Image();
}

}  // namespace yz
