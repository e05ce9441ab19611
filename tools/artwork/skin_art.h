#pragma once

#include <QImage>

namespace art {

// The window's skin: 720 × 460, 24-bit RGB, every painted element where its control sits.
QImage SkinImage();

// The skin with grey blocks where the window's controls will stand: a maintainer's check of
// the fit, never shipped.
QImage SkinPreview(const QImage& skin);

}  // namespace art
