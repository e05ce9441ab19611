// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "verification/pdf_date.h"

#include <QRegularExpression>
#include <QTimeZone>

namespace yz {

QDateTime ParsePdfDate(const QByteArray& text) {
  static const QRegularExpression date(QStringLiteral(
      "^(?:D:)?(\\d{4})(\\d{2})?(\\d{2})?(\\d{2})?(\\d{2})?(\\d{2})?"
      "(?:([Zz])|([+-])(\\d{2})'?(?:(\\d{2})'?)?)?\\s*$"));
  const QRegularExpressionMatch match = date.match(QString::fromLatin1(text.trimmed()));
  if (!match.hasMatch()) return {};
  const auto part = [&](int i, int absent) {
    return match.capturedLength(i) ? match.captured(i).toInt() : absent;
  };
  const QDate day(part(1, 0), part(2, 1), part(3, 1));
  const QTime time(part(4, 0), part(5, 0), part(6, 0));
  if (!day.isValid() || !time.isValid()) return {};
  int offsetSeconds = 0;
  if (match.capturedLength(8)) {
    const int hours = part(9, 0), minutes = part(10, 0);
    if (hours > 23 || minutes > 59) return {};
    offsetSeconds = (hours * 60 + minutes) * 60 * (match.captured(8) == QStringLiteral("-") ? -1 : 1);
  }
  return QDateTime(day, time, QTimeZone(offsetSeconds)).toUTC();
}

}  // namespace yz
