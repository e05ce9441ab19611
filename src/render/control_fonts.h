// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

namespace yz {

// The window asks for the faces its layout was drawn with: "宋体" for the lists and "Courier New"
// for the name boxes. Neither exists on Linux; these map them, and the dialogs' and message
// boxes' default font, to faces the set-up installs, so Chinese text never shows as boxes.
struct ControlFontChoice {
  QString requested;     // the face the window asks for
  QStringList installed; // installed faces to use instead, best first
};

// The mapping, in the order it is applied.
QList<ControlFontChoice> ControlFontSubstitutes();

// The CJK sans faces for dialogs and message boxes, best first.
QStringList DialogFontFamilies();

// Registers the substitutes with Qt and makes the first installed dialog face the application
// font. Call after the QApplication exists and before any window is created.
void InstallControlFontSubstitutes();

}  // namespace yz
