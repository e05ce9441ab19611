// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "render/layout_context.h"

namespace yz {

// Neighbouring characters overlap by this many twips, so the name runs together like handwriting.
inline constexpr qint32 kJoinedStep = 200;

// Prints `name` in the current (single) face as one joined line from (x, y), each character
// starting kJoinedStep before the previous one ends; -1 centres on the name's natural size.
void DrawJoinedSignature(LayoutContext& context, qint32 x, qint32 y, const QString& name);

// The handle's width over a joined line: natural width less the overlaps, but never narrower
// than the widest single character, so it still covers ink and can be grabbed at small sizes.
float JoinedHandleWidth(const Canvas& canvas, const QString& name);

}  // namespace yz
