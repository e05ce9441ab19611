// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>

#include "sign/signing_plan.h"

namespace yz {

// The slice of a 骑缝章 that one page carries at its right edge: slice `index` (from the left,
// from 0) of the `count` the seal is cut into over this page's run.
struct SeamSlice {
  int page = 1;  // from 1
  int index = 0;
  int count = 1;
  bool operator==(const SeamSlice&) const = default;
};

// The pages a 骑缝章 goes on in a document of `pageCount` pages: its selection, without the first
// of them when asked. Throws Failure as ResolvePages does.
QList<int> SeamPages(const SeamStamp& seam, int pageCount);

// Cuts the pages (ascending) into runs of at most `maxSlices`, as even as the count allows, and
// gives each page its slice. `maxSlices` below 1 counts as 1.
QList<SeamSlice> PlanSeamSlices(const QList<int>& pages, int maxSlices);

}  // namespace yz
