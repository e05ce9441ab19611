// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QPixmap>

namespace yz {

// The window's skin, 720 × 460 pixels drawn unscaled at the top-left: the background with its
// frame, the logo banner, the name boxes, the framed drawing area, the settings panel, the four
// buttons and the footer, each where the window's controls sit. Painted by tools/artwork.
// Above a device pixel ratio of 1 it is the 2x artwork (1440 × 920, device pixel ratio 2), so
// it covers the same 720 × 460 of the window with sharp lettering.
QPixmap LoadSkin(qreal devicePixelRatio = 1);

// The skin for the screen the window is on, loaded again only when that calls for the other
// artwork.
class Skin {
 public:
  const QPixmap& For(qreal devicePixelRatio);

 private:
  QPixmap pixmap_;
};

// A red quill on a teal square, at 32, 64, 128 and 256 pixels, each with its 2x artwork, which
// Qt takes on screens whose device pixel ratio is above 1.
QIcon AppIcon();

}  // namespace yz
