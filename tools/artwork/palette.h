// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>

// The artwork's colours: ink black, deep teal, cinnabar red and rice-paper white, with a muted
// gold for hairlines.
namespace art {

inline const QColor kInk(18, 24, 26);
inline const QColor kInkLight(38, 50, 52);
inline const QColor kTeal(28, 88, 86);
inline const QColor kTealLight(52, 128, 122);
inline const QColor kCinnabar(186, 50, 38);
inline const QColor kCinnabarLight(226, 92, 70);
inline const QColor kPaper(244, 238, 224);
inline const QColor kPaperDim(190, 182, 164);
inline const QColor kGold(201, 164, 96);
inline const QColor kFrameGreen(34, 78, 58);
inline const QColor kIndigo(62, 78, 120);

}  // namespace art
