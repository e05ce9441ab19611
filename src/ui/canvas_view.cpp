#include "ui/canvas_view.h"

#include <QPainter>

namespace yz {

CanvasView::CanvasView(Canvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
  setFocusPolicy(Qt::TabFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CanvasView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  const QImage image = canvas_.Image();
  // The canvas may hold more pixels than the view (a sharper scale): show it at the view's size.
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRect(QPoint(0, 0), image.deviceIndependentSize().toSize()), image);
}

}  // namespace yz
