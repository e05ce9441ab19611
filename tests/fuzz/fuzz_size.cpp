// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The two readings of a size text: the drawing's strict number (ParseFontSize) and the style
// rule's leading number (LeadingNumber). Input: the text as UTF-8.
#include <QRegularExpression>
#include <QString>
#include <cmath>

#include "fuzz_check.h"
#include "app/style_rules.h"
#include "render/font_size.h"
#include "seams/failure.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
  const double leading = yz::LeadingNumber(text);
  YZ_FUZZ_CHECK(!std::isnan(leading));
  try {
    const double points = yz::ParseFontSize(text);
    YZ_FUZZ_CHECK(std::isfinite(points));
    YZ_FUZZ_CHECK(points >= yz::kMinFontPoints && points <= yz::kMaxFontPoints);
    // A plain decimal reads the same both ways, so the cap sees the size that is drawn.
    static const QRegularExpression plain(QStringLiteral("^[+-]?[0-9]+(\\.[0-9]*)?$"));
    if (plain.match(text.trimmed()).hasMatch()) YZ_FUZZ_CHECK(leading == points);
  } catch (const yz::Failure& failure) {
    YZ_FUZZ_CHECK(failure.message().contains(text));  // the user sees what they typed
  }
  return 0;
}
