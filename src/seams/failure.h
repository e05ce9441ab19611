// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <stdexcept>

namespace yz {

// A step that could not be done, carrying the words the user is shown (what failed and why,
// with the path where there is one). Thrown by the step, turned into a message box by the
// event that started the work, never swallowed on the way.
class Failure : public std::runtime_error {
 public:
  explicit Failure(const QString& message)
      : std::runtime_error(message.toStdString()), message_(message) {}
  const QString& message() const { return message_; }

 private:
  QString message_;
};

}  // namespace yz
