// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/picked_style.h"

#include "app/style_rules.h"

namespace yz {

DrawingRequest AsPicked(DrawingRequest controls, int style, const QString& styleName) {
  const StyleRule rule = StyleRuleFor(styleName);
  controls.style = style;
  if (LeadingNumber(controls.sizeText) > rule.sizeCap) controls.sizeText = QString::number(rule.sizeCap);
  controls.ink = rule.ink;
  controls.x = controls.y = -1;
  controls.scale = 1;
  return controls;
}

}  // namespace yz
