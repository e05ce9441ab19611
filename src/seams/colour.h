// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QtGlobal>

namespace yz {

// Colours are 24-bit values laid out 0x00BBGGRR (red in the low byte), the layout the stored
// style rules and the colour swatch use.
using Colour = quint32;

inline constexpr Colour kBlack = 0;
inline constexpr Colour kDarkRed = 192;  // RGB(192, 0, 0): seal frames and 篆印体 ink
inline constexpr Colour kWhite = 16777215;

inline QColor ToQColor(Colour c) {
  return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

inline Colour FromQColor(const QColor& c) {
  return Colour(c.red()) | (Colour(c.green()) << 8) | (Colour(c.blue()) << 16);
}

}  // namespace yz
