// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/style_rules.h"
#include "render/layout_context.h"

namespace yz {

// Two characters gain "之印", three gain "印"; any other length stays as it is.
QString CompleteSealText(const QString& name);

// Prints the completed name as a 2 × 2 seal (right column first, top to bottom) inside a dark
// red frame, outlined (篆印体) or filled (篆印体-阴文), drawn before the characters.
void DrawSeal(LayoutContext& context, qint32 x, qint32 y, const QString& name, bool filled);

}  // namespace yz
