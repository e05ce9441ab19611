// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/style_rules.h"

#include <QRegularExpression>
#include <algorithm>

namespace yz {

StyleRule StyleRuleFor(const QString& styleName) {
  if (styleName == kSealOutline) return {48, kDarkRed};
  if (styleName == kSealFilled) return {48, kWhite};
  return {72, kBlack};
}

double LeadingNumber(const QString& text) {
  // Whitespace around the number is what the drawing's reading skips too (a full-width space
  // from an input method, say), so the cap sees the size that will be drawn.
  QString compact = text.trimmed();
  compact.remove(QRegularExpression(QStringLiteral("[ \\t]")));
  static const QRegularExpression number(
      QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?"));
  const QRegularExpressionMatch match = number.match(compact);
  if (!match.hasMatch()) return 0;
  bool ok = false;
  const double value = match.captured(0).toDouble(&ok);
  return ok ? value : 0;
}

}  // namespace yz

namespace yz {

int DefaultStyleIndex(const QStringList& styleNames) {
  const int index = int(styleNames.indexOf(kDefaultStyle));
  return index >= 0 ? index : (styleNames.isEmpty() ? -1 : 0);
}

int DefaultBackgroundIndex(const QStringList& backgroundNames) {
  return std::min(1, int(backgroundNames.size()) - 1);
}

}  // namespace yz
