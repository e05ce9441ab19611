// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sign/stamp_list.h"

namespace yz {

void SignStampList::Set(const PlacedStamps& stamps) {
  if (stamps == stamps_) return;
  stamps_ = stamps;
  emit Changed();
}

int SignStampList::IndexOf(Stamp::Kind kind) const {
  for (int i = 0; i < stamps_.size(); ++i)
    if (stamps_[i].kind == kind) return i;
  return -1;
}

const PlacedStamp* SignStampList::Find(Stamp::Kind kind) const {
  const int index = IndexOf(kind);
  return index < 0 ? nullptr : &stamps_[index];
}

}  // namespace yz
