// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "seams/color_dialog.h"

namespace yz {

// Qt's own colour dialog, placed where the request asks when it first shows.
class QtColorDialog : public ColorDialog {
 public:
  Result ChooseColor(const Request& request) override;
};

}  // namespace yz
