#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace yz {

// The window's skin, 720 × 460 pixels, painted by the program itself: the background with its
// frame, the logo banner, the name boxes, the framed drawing area, the settings panel with its
// four rows, the four buttons and the footer, each where the window's controls sit.
QImage PaintSkin();
QPixmap LoadSkin();

// A red quill on a teal square, at any size.
QImage PaintIcon(int size);
QIcon AppIcon();

}  // namespace yz
