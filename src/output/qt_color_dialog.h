#pragma once

#include "seams/color_dialog.h"

namespace yz {

// Qt's own colour dialog, placed where the request asks when it first shows.
class QtColorDialog : public ColorDialog {
 public:
  Result ChooseColor(const Request& request) override;
};

}  // namespace yz
