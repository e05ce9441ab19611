// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QUndoCommand>

#include "ui/sign/stamp_list.h"

namespace yz {

// One edit of the stamps (placing, moving, resizing, adding, deleting) as the whole list before
// and after it: the list is a handful of values, and undoing puts back exactly what was there.
// Steps of one mouse-wheel resize of one stamp merge into one edit.
class SignStampCommand : public QUndoCommand {
 public:
  static constexpr int kWheelResize = 1;

  SignStampCommand(SignStampList& list, PlacedStamps before, PlacedStamps after,
                   const QString& text, int mergeId = -1);

  void undo() override { list_.Set(before_); }
  void redo() override { list_.Set(after_); }
  int id() const override { return mergeId_; }
  bool mergeWith(const QUndoCommand* other) override;

 private:
  SignStampList& list_;
  PlacedStamps before_;
  PlacedStamps after_;
  int mergeId_;
};

}  // namespace yz
