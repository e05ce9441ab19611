// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/ink_colour.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace yz {

namespace {
int NearestEven(double value) { return int(std::nearbyint(value)); }
}  // namespace

QPoint CenteredDialogOrigin(double screenWidthTwips, double screenHeightTwips,
                            double twipsPerPixelX, double twipsPerPixelY, const QRect& dialogFrame) {
  const int perPixelX = std::max(1, NearestEven(twipsPerPixelX));
  const int perPixelY = std::max(1, NearestEven(twipsPerPixelY));
  const int screenWidth = NearestEven(screenWidthTwips) / perPixelX;
  const int screenHeight = NearestEven(screenHeightTwips) / perPixelY;
  return QPoint((screenWidth - dialogFrame.width()) / 2, (screenHeight - dialogFrame.height()) / 2);
}

std::optional<Colour> ChooseInkColour(QWidget* owner, Colour current, ColorDialog& dialog) {
  ColorDialog::Request request;
  request.owner = owner;
  request.initial = current;
  request.customColours.fill(kBlack);
  request.placeOnOpen = [](const QRect& frame) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize pixels = screen ? screen->size() : QSize(1024, 768);
    constexpr double kTwipsPerPixel = 15;
    return CenteredDialogOrigin(pixels.width() * kTwipsPerPixel, pixels.height() * kTwipsPerPixel,
                                kTwipsPerPixel, kTwipsPerPixel, frame);
  };
  const ColorDialog::Result result = dialog.ChooseColor(request);
  if (!result.confirmed) return std::nullopt;
  return result.colour;
}

}  // namespace yz
