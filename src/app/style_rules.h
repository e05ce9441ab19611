// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include "seams/colour.h"

namespace yz {

// What choosing a style does to the size and the ink: seals are drawn at most 48 points, in red
// (篆印体) or white on a red square (篆印体-阴文); every other style at most 72 points, in black.
struct StyleRule {
  int sizeCap;
  Colour ink;
};

StyleRule StyleRuleFor(const QString& styleName);

inline const QString kSealOutline = QStringLiteral("篆印体");
inline const QString kSealFilled = QStringLiteral("篆印体-阴文");

inline bool IsSealStyle(const QString& styleName) {
  return styleName == kSealOutline || styleName == kSealFilled;
}

// The numeric value of a size text as the style rule reads it: the decimal number at its start,
// blanks anywhere ignored; 0 when it does not begin with a number.
double LeadingNumber(const QString& text);

// The selections a fresh window starts with.
inline const QString kDefaultStyle = QStringLiteral("公文签");
inline constexpr int kDefaultSize = 72;

// 公文签, or the first style when there is none of that name; -1 when there are no styles.
int DefaultStyleIndex(const QStringList& styleNames);
// The second picture, or the only one; -1 when there are none.
int DefaultBackgroundIndex(const QStringList& backgroundNames);

}  // namespace yz
