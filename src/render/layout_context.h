// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "render/drawing_request.h"
#include "seams/canvas.h"
#include "seams/font_registry.h"

namespace yz {

// What a layout draws with, and where it leaves the drag handle.
struct LayoutContext {
  Canvas& picMain;
  FontRegistry& fonts;
  qint32 OffsetX;
  qint32 OffsetY;
  Drawing& drawing;

  void MoveHandle(float left, float top, float width, float height) {
    drawing.handle = HandleRect{left, top, width, height};
  }
};

}  // namespace yz
