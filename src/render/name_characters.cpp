// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/name_characters.h"

namespace yz {

QStringList NameCharacters(const QString& name) {
  QStringList characters;
  characters.reserve(name.size());
  for (qsizetype i = 0; i < name.size(); ++i) {
    const bool pair = name[i].isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate();
    characters.append(name.mid(i, pair ? 2 : 1));
    if (pair) ++i;
  }
  return characters;
}

}  // namespace yz
