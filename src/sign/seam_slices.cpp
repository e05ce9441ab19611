// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/seam_slices.h"

#include <algorithm>

namespace yz {

QList<int> SeamPages(const SeamStamp& seam, int pageCount) {
  QList<int> pages = ResolvePages(seam.pages, pageCount);
  if (seam.skipFirst && !pages.isEmpty()) pages.removeFirst();
  return pages;
}

QList<SeamSlice> PlanSeamSlices(const QList<int>& pages, int maxSlices) {
  const qsizetype most = std::max(1, maxSlices);
  const qsizetype total = pages.size();
  const qsizetype runs = (total + most - 1) / most;
  QList<SeamSlice> slices;
  qsizetype at = 0;
  for (qsizetype run = 0; run < runs; ++run) {
    // The first (total % runs) runs take one page more.
    const qsizetype count = total / runs + (run < total % runs ? 1 : 0);
    for (qsizetype index = 0; index < count; ++index)
      slices.append({pages[at++], int(index), int(count)});
  }
  return slices;
}

}  // namespace yz
