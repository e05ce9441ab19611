// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/joined_layout.h"

#include <algorithm>

#include "render/name_characters.h"
#include "render/rounding.h"

namespace yz {

namespace {

float HandleWidth(const Canvas& canvas, const QString& name, const QStringList& characters) {
  float width = canvas.TextWidth(name) - float(kJoinedStep) * float(characters.size() - 1);
  for (const QString& character : characters) width = std::max(width, canvas.TextWidth(character));
  return width;
}

}  // namespace

float JoinedHandleWidth(const Canvas& canvas, const QString& name) {
  return HandleWidth(canvas, name, NameCharacters(name));
}

void DrawJoinedSignature(LayoutContext& context, qint32 x, qint32 y, const QString& name) {
  Canvas& canvas = context.picMain;
  // The block centred is the natural width, not the narrower joined one.
  if (x == -1)
    x = RoundHalfEven((double(canvas.ScaleWidth()) - canvas.TextWidth(name)) / 2 - context.OffsetX);
  if (y == -1)
    y = RoundHalfEven((double(canvas.ScaleHeight()) - canvas.TextHeight(name)) / 2 - context.OffsetY);
  canvas.SetCurrentX(float(x));
  canvas.SetCurrentY(float(y));
  QStringList characters = NameCharacters(name);
  // A right-to-left name reads from the right: its first character ends the line.
  if (name.isRightToLeft()) std::reverse(characters.begin(), characters.end());
  context.MoveHandle(canvas.CurrentX(), canvas.CurrentY(),
                     HandleWidth(canvas, name, characters), canvas.TextHeight(name));
  if (characters.isEmpty()) return;
  canvas.Print(characters.first());
  for (qsizetype i = 1; i < characters.size(); ++i) {
    // Rounded at every step, so each start is a whole number of twips.
    x = RoundHalfEven(double(canvas.TextWidth(characters[i - 1])) + x - kJoinedStep);
    canvas.SetCurrentX(float(x));
    canvas.SetCurrentY(float(y));
    canvas.Print(characters[i]);
  }
}

}  // namespace yz
