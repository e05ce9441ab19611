// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <functional>

#include <QPoint>
#include <QRect>

#include "seams/colour.h"

class QWidget;

namespace yz {

// A modal colour picker that opens on `initial` with its custom-colour section shown.
class ColorDialog {
 public:
  struct Request {
    QWidget* owner = nullptr;
    Colour initial = kBlack;
    std::array<Colour, 16> customColours{};  // all black unless set
    // Called once when the dialog is set up, with its frame rectangle; returns where to put it.
    std::function<QPoint(const QRect& dialogFrame)> placeOnOpen;
  };
  struct Result {
    bool confirmed = false;
    Colour colour = kBlack;
  };
  virtual ~ColorDialog() = default;
  virtual Result ChooseColor(const Request& request) = 0;
};

}  // namespace yz
