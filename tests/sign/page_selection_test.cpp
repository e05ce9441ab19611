// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Page choices as users write them, and what they name in a document of a given length.
#include <gtest/gtest.h>

#include "seams/failure.h"
#include "sign/page_selection.h"

using namespace yz;

TEST(PageSelection, ReadsTheWordsAndListsUsersWrite) {
  using Kind = PageSelection::Kind;
  for (const char* all : {"all", " ALL ", "全部"}) EXPECT_EQ(ParsePageSelection(all).kind, Kind::All);
  for (const char* odd : {"odd", "奇数页"}) EXPECT_EQ(ParsePageSelection(odd).kind, Kind::Odd);
  EXPECT_EQ(ParsePageSelection("even").kind, Kind::Even);
  for (const QString list : {QStringLiteral("1,3-5"), QStringLiteral("1，3～5"), QStringLiteral(" 1 、 3 - 5 ")}) {
    SCOPED_TRACE(list.toStdString());
    const PageSelection selection = ParsePageSelection(list);
    EXPECT_EQ(selection.kind, Kind::List);
    EXPECT_EQ(selection.ranges, QList<PageSelection::Range>({{1, 1}, {3, 5}}));
    EXPECT_EQ(selection.Text(), QStringLiteral("1,3-5"));
  }
  for (const char* bad : {"", "0", "-2", "5-3", "第二页", "1,,x", "3-", "99999999999"}) {
    SCOPED_TRACE(bad);
    try {
      ParsePageSelection(QString::fromUtf8(bad));
      ADD_FAILURE() << "read";
    } catch (const Failure& failure) {
      // Says what is expected: the example 1,3-5, or the range the other way round.
      EXPECT_TRUE(failure.message().contains(QStringLiteral("3-5"))) << failure.message().toStdString();
    }
  }
}

TEST(PageSelection, NamesEachPageOnceInOrderAndRefusesPagesBeyondTheEnd) {
  EXPECT_EQ(ResolvePages(PageSelection::All(), 3), QList<int>({1, 2, 3}));
  EXPECT_EQ(ResolvePages(PageSelection::Odd(), 5), QList<int>({1, 3, 5}));
  EXPECT_EQ(ResolvePages(PageSelection::Even(), 5), QList<int>({2, 4}));
  EXPECT_EQ(ResolvePages(PageSelection::Even(), 1), QList<int>());
  EXPECT_EQ(ResolvePages(ParsePageSelection("4,1-2,2"), 4), QList<int>({1, 2, 4}));
  try {
    ResolvePages(ParsePageSelection("2,6-8"), 5);
    ADD_FAILURE() << "resolved";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.message(), QStringLiteral("第 6 页超出范围：文档只有 5 页"));
  }
}
