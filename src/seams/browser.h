// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace yz {

// Opens a web address in the user's browser and returns at once; failures are not reported.
class Browser {
 public:
  virtual ~Browser() = default;
  virtual void Open(const QString& url) = 0;
};

}  // namespace yz
