// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

#include "app/installation.h"
#include "render/draw_signature.h"
#include "render/qt_canvas.h"
#include "render/qt_font_registry.h"

namespace yz {

// One step of a drawing, as the window runs it on its canvas.
using DrawingStep = Drawing (*)(const DrawingRequest&, const Installation&, const DrawingTools&);

// The canvas drawn a second time at the screen's pixel ratio, only to be shown: on a screen
// above 1x the 1x picture would be stretched and its strokes blurred. Saving, printing and
// copying keep reading the 1x canvas, so what leaves the program is unchanged.
class SharpCanvas {
 public:
  // Without Qt's font registry (a test's fake) there is nothing to draw with, and no sharp canvas.
  explicit SharpCanvas(QtFontRegistry* fonts) : fonts_(fonts) {}

  // Keeps a canvas at the ratio rounded up (a fractional ratio shows it slightly reduced), none
  // at 1x.
  void Follow(qreal devicePixelRatio);
  // Runs the same step here; a failure is the 1x drawing's to report, and leaves this canvas
  // where it left the 1x one.
  void Run(DrawingStep step, DrawingRequest request, const Installation& installation,
           PictureLoader& pictures);

  // The canvas to show, or none.
  const QtCanvas* Current() const { return canvas_.get(); }
  int Scale() const { return scale_; }

 private:
  QtFontRegistry* fonts_;
  std::unique_ptr<QtCanvas> canvas_;
  int scale_ = 1;
};

}  // namespace yz
