// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QUndoCommand>
#include <functional>

#include "ui/sign/stamp_list.h"

namespace yz {

// One edit of the stamps (placing, moving, resizing, adding, deleting) as the whole list before
// and after it: the list is a handful of values, and undoing puts back exactly what was there.
// Steps of one mouse-wheel resize, or of held arrow or +/− keys, on one stamp merge into one edit.
class SignStampCommand : public QUndoCommand {
 public:
  static constexpr int kWheelResize = 1;
  static constexpr int kKeyMove = 2;
  static constexpr int kKeyResize = 3;

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

// Turning a choice on or off (the date) as one step of the undo history.
class SignToggleCommand : public QUndoCommand {
 public:
  SignToggleCommand(std::function<void(bool)> set, bool on, const QString& text)
      : QUndoCommand(text), set_(std::move(set)), on_(on) {}
  void undo() override { set_(!on_); }
  void redo() override { set_(on_); }

 private:
  std::function<void(bool)> set_;
  bool on_;
};

}  // namespace yz
