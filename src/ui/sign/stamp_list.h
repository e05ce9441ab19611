// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include "ui/sign/placed_stamp.h"

namespace yz {

// The stamps on the document being signed, at most one of each kind. Every change goes through
// Set, so that the undo history can put back any earlier state whole, and everyone showing the
// stamps hears of it once.
class SignStampList : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;

  const PlacedStamps& Stamps() const { return stamps_; }
  void Set(const PlacedStamps& stamps);

  // The index of the stamp of that kind, or -1.
  int IndexOf(Stamp::Kind kind) const;
  const PlacedStamp* Find(Stamp::Kind kind) const;

 signals:
  void Changed();

 private:
  PlacedStamps stamps_;
};

}  // namespace yz
