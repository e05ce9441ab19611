// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

#include "seams/colour.h"

namespace yz {

// One signature to draw, as plain values: what the window's controls hold, or what the
// renderer, an export or a test asks for. Indexes are list indexes into the installation's
// catalogue (cboFont, cboImg).
struct DrawingRequest {
  int style = -1;  // -1: no style selected
  QString textCN;
  QString textEN;
  QString sizeText = QStringLiteral("72");  // points, as typed
  Colour ink = kBlack;
  // A background list index (-1 when none is selected, which fails), or no value for no picture
  // at all: the canvas's own ground.
  std::optional<int> background = -1;
  qint32 x = -1;  // twips; -1 asks for that coordinate's default
  qint32 y = -1;
  int scale = 1;  // pixels per window pixel, for pictures drawn larger than the window's
};

// Where the drag handle goes: over what the drawing placed, in twips.
struct HandleRect {
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;
};

// What one drawing did. The canvas keeps what was drawn, up to a failed step.
struct Drawing {
  std::optional<HandleRect> handle;  // set by the layout that drew
  std::optional<QString> failure;    // the user's words for the step that could not be done
};

}  // namespace yz
