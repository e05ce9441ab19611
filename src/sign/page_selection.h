// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

namespace yz {

// Which pages a stamp goes on, as the user chose them: every page, the odd or the even ones
// (for two-sided printing), or a list of pages and ranges such as "1,3-5". Page numbers count
// from 1, as a viewer shows them.
struct PageSelection {
  enum class Kind { All, Odd, Even, List };
  struct Range {
    int first = 1;
    int last = 1;  // inclusive
    bool operator==(const Range&) const = default;
  };
  Kind kind = Kind::All;
  QList<Range> ranges;  // Kind::List only, in the order written

  static PageSelection All() { return {}; }
  static PageSelection Odd() { return {Kind::Odd, {}}; }
  static PageSelection Even() { return {Kind::Even, {}}; }
  static PageSelection Page(int page) { return {Kind::List, {{page, page}}}; }

  // The selection written back the way ParsePageSelection reads it: all, odd, even or 1,3-5.
  QString Text() const;
  bool operator==(const PageSelection&) const = default;
};

// Reads "all", "odd", "even" (or 全部, 奇数页, 偶数页) or a list such as "1,3-5"; Chinese commas
// and 、 separate too, and a range may be written with - ~ or －. Throws Failure with the part
// that could not be read and what is expected.
PageSelection ParsePageSelection(const QString& text);

// The pages of a document of `pageCount` pages that the selection names, ascending, each once.
// Throws Failure for a listed page beyond the document's end, naming the page and the count.
QList<int> ResolvePages(const PageSelection& selection, int pageCount);

}  // namespace yz
