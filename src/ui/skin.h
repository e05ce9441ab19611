#pragma once

#include <QIcon>
#include <QPixmap>

namespace yz {

// The window's skin, 720 × 460 pixels drawn unscaled at the top-left: the background with its
// frame, the logo banner, the name boxes, the framed drawing area, the settings panel, the four
// buttons and the footer, each where the window's controls sit. Painted by tools/artwork.
QPixmap LoadSkin();

// A red quill on a teal square, at 32, 64, 128 and 256 pixels.
QIcon AppIcon();

}  // namespace yz
