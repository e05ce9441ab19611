// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/font_size.h"

#include <QLocale>
#include <cmath>

#include "seams/failure.h"

namespace yz {

double ParseFontSize(const QString& sizeText) {
  bool ok = false;
  const double points = QLocale::c().toDouble(sizeText.trimmed(), &ok);
  if (!ok || !std::isfinite(points))
    throw Failure(QStringLiteral("字号必须是数字：“%1”").arg(sizeText));
  if (points < kMinFontPoints || points > kMaxFontPoints)
    throw Failure(QStringLiteral("字号“%1”超出范围，请使用 %2 到 %3 之间的字号")
                      .arg(sizeText)
                      .arg(kMinFontPoints)
                      .arg(kMaxFontPoints));
  return points;
}

}  // namespace yz
