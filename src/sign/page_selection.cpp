// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/page_selection.h"

#include <QRegularExpression>
#include <algorithm>
#include <set>

#include "seams/failure.h"

namespace yz {

namespace {

const QString kExpected = QStringLiteral("可写 all（全部）、odd（奇数页）、even（偶数页）或页码如 1,3-5");

int PageNumber(const QString& text, const QString& part) {
  bool ok = false;
  const int page = text.toInt(&ok);
  if (!ok || page < 1)
    throw Failure(QStringLiteral("页码“%1”看不懂：页码从 1 开始；%2").arg(part, kExpected));
  return page;
}

}  // namespace

QString PageSelection::Text() const {
  switch (kind) {
    case Kind::All: return QStringLiteral("all");
    case Kind::Odd: return QStringLiteral("odd");
    case Kind::Even: return QStringLiteral("even");
    case Kind::List: break;
  }
  QStringList parts;
  for (const Range& range : ranges)
    parts << (range.first == range.last ? QString::number(range.first)
                                        : QStringLiteral("%1-%2").arg(range.first).arg(range.last));
  return parts.join(',');
}

PageSelection ParsePageSelection(const QString& text) {
  const QString t = text.trimmed().toLower();
  if (t == QStringLiteral("all") || t == QStringLiteral("全部")) return PageSelection::All();
  if (t == QStringLiteral("odd") || t == QStringLiteral("奇数页") || t == QStringLiteral("奇数"))
    return PageSelection::Odd();
  if (t == QStringLiteral("even") || t == QStringLiteral("偶数页") || t == QStringLiteral("偶数"))
    return PageSelection::Even();
  if (t.isEmpty()) throw Failure(QStringLiteral("没有写页码；%1").arg(kExpected));
  static const QRegularExpression dash(QStringLiteral("\\s*([-~－～—–])\\s*"));
  static const QRegularExpression separators(QStringLiteral("[,，、;；\\s]+"));
  static const QRegularExpression range(QStringLiteral("^(\\d+)[-~－～—–](\\d+)$"));
  PageSelection selection{PageSelection::Kind::List, {}};
  // Blanks beside a range's dash belong to the range; elsewhere they separate like commas.
  const QString joined = QString(t).replace(dash, QStringLiteral("\\1"));
  for (const QString& raw : joined.split(separators, Qt::SkipEmptyParts)) {
    const QString part = raw.trimmed();
    if (const QRegularExpressionMatch m = range.match(part); m.hasMatch()) {
      const int first = PageNumber(m.captured(1), part);
      const int last = PageNumber(m.captured(2), part);
      if (last < first)
        throw Failure(QStringLiteral("页码范围“%1”从大到小：请写成 %2-%3").arg(part).arg(last).arg(first));
      selection.ranges.append({first, last});
    } else {
      const int page = PageNumber(part, part);
      selection.ranges.append({page, page});
    }
  }
  if (selection.ranges.isEmpty()) throw Failure(QStringLiteral("没有写页码；%1").arg(kExpected));
  return selection;
}

QList<int> ResolvePages(const PageSelection& selection, int pageCount) {
  QList<int> pages;
  switch (selection.kind) {
    case PageSelection::Kind::All:
    case PageSelection::Kind::Odd:
    case PageSelection::Kind::Even: {
      const int first = selection.kind == PageSelection::Kind::Even ? 2 : 1;
      const int step = selection.kind == PageSelection::Kind::All ? 1 : 2;
      for (int page = first; page <= pageCount; page += step) pages.append(page);
      return pages;
    }
    case PageSelection::Kind::List: break;
  }
  std::set<int> chosen;
  for (const PageSelection::Range& range : selection.ranges) {
    if (range.last > pageCount)
      throw Failure(QStringLiteral("第 %1 页超出范围：文档只有 %2 页")
                        .arg(range.first > pageCount ? range.first : range.last)
                        .arg(pageCount));
    for (int page = range.first; page <= range.last; ++page) chosen.insert(page);
  }
  pages = QList<int>(chosen.begin(), chosen.end());
  return pages;
}

}  // namespace yz
