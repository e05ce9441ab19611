// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

namespace yz {

// A name cut into the characters a reader sees: a surrogate pair (a character beyond U+FFFF)
// is one character, every other 16-bit unit, a lone surrogate too, one on its own. A name
// within 16 bits gives one entry per unit, as before.
QStringList NameCharacters(const QString& name);

}  // namespace yz
