// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace yz {

// A name cut for the three fonts of a style directory. A character beyond U+FFFF (a surrogate
// pair) counts as one, like any other.
struct SignatureParts {
  bool draw = true;  // false: nothing to draw, the canvas keeps its background
  QString first;
  QString middle;
  QString last;
};

// Chooses the Chinese name (txtCN) or, for styles whose name contains "英文签", the Latin-letter
// name (txtEN), and cuts it into surname, middle and last part. A compound surname listed in
// compoundSurnames (" 欧阳-" …) is replaced by the one character four places after it.
SignatureParts SplitSignatureName(const QString& styleName, const QString& singleFaceNames,
                                  const QString& compoundSurnames, const QString& chineseName,
                                  const QString& latinName);

}  // namespace yz
