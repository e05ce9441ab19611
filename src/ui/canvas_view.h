// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

#include "seams/canvas.h"
#include "ui/sharp_canvas.h"

namespace yz {

// picMain on the window: shows the canvas's persistent picture and holds the drag handle.
class CanvasView : public QWidget {
 public:
  CanvasView(Canvas& canvas, QWidget* parent = nullptr);
  // Shows `sharp` instead of stretching the 1x canvas while it is drawn at the screen's ratio.
  void ShowSharper(const SharpCanvas* sharp) { sharp_ = sharp; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Canvas& canvas_;
  const SharpCanvas* sharp_ = nullptr;
};

}  // namespace yz
