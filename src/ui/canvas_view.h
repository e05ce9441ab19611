#pragma once

#include <QWidget>

#include "seams/canvas.h"

namespace yz {

// picMain on the window: shows the canvas's persistent picture and holds the drag handle.
class CanvasView : public QWidget {
 public:
  CanvasView(Canvas& canvas, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Canvas& canvas_;
};

}  // namespace yz
