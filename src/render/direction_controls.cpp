// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/direction_controls.h"

namespace yz {

bool IsDirectionControl(QChar character) {
  const char16_t c = character.unicode();
  return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069);
}

QString WithoutDirectionControls(const QString& name) {
  QString kept = name;
  kept.removeIf(IsDirectionControl);
  return kept;
}

}  // namespace yz
