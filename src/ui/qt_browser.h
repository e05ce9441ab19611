// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "seams/browser.h"

namespace yz {

// The user's browser through the desktop's URL handler (xdg-open on Linux); returns at once.
class QtBrowser : public Browser {
 public:
  void Open(const QString& url) override;
};

}  // namespace yz
