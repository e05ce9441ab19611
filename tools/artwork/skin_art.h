// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

namespace art {

// The window's skin: 720 × 460 at scale 1, 24-bit RGB, every painted element where its control
// sits. At scale 2 the same drawing at twice the pixels, for screens of device pixel ratio 2.
QImage SkinImage(int scale = 1);

// The skin with grey blocks where the window's controls will stand: a maintainer's check of
// the fit, never shipped.
QImage SkinPreview(const QImage& skin);

}  // namespace art
