// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

#include "seams/color_dialog.h"

class QWidget;

namespace yz {

// Opens the colour dialog on `current`, with sixteen black custom colours and centred on the
// whole screen. The chosen colour, or nothing when the user cancelled.
std::optional<Colour> ChooseInkColour(QWidget* owner, Colour current, ColorDialog& dialog);

// Where a dialog of the given frame lands when centred on a screen given in twips and twips per
// pixel: integer halves truncated toward zero, so a dialog larger than the screen gets negative
// coordinates.
QPoint CenteredDialogOrigin(double screenWidthTwips, double screenHeightTwips,
                            double twipsPerPixelX, double twipsPerPixelY, const QRect& dialogFrame);

}  // namespace yz
