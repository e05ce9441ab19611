// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

namespace art {

// The dark, faintly fibrous ground of the whole skin with its thin light frame. The grain is
// the same on every run.
void PaintBackground(QImage& skin);

}  // namespace art
