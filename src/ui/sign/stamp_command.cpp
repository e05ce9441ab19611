// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sign/stamp_command.h"

namespace yz {

SignStampCommand::SignStampCommand(SignStampList& list, PlacedStamps before, PlacedStamps after,
                                   const QString& text, int mergeId)
    : QUndoCommand(text),
      list_(list),
      before_(std::move(before)),
      after_(std::move(after)),
      mergeId_(mergeId) {}

bool SignStampCommand::mergeWith(const QUndoCommand* other) {
  const auto* next = static_cast<const SignStampCommand*>(other);
  // Only a resize of the same stamp: a wheel over another one is an edit of its own.
  if (&next->list_ != &list_ || next->text() != text() || next->before_ != after_) return false;
  after_ = next->after_;
  return true;
}

}  // namespace yz
