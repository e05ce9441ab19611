#include "render/joined_layout.h"

#include <algorithm>

#include "render/rounding.h"

namespace yz {

float JoinedHandleWidth(const Canvas& canvas, const QString& name) {
  float width = canvas.TextWidth(name) - float(kJoinedStep) * float(name.size() - 1);
  for (qsizetype i = 0; i < name.size(); ++i) width = std::max(width, canvas.TextWidth(name.mid(i, 1)));
  return width;
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
  context.MoveHandle(canvas.CurrentX(), canvas.CurrentY(), JoinedHandleWidth(canvas, name),
                              canvas.TextHeight(name));
  if (name.isEmpty()) return;
  canvas.Print(name.left(1));
  for (qsizetype i = 1; i < name.size(); ++i) {
    // Rounded at every step, so each start is a whole number of twips.
    x = RoundHalfEven(double(canvas.TextWidth(name.mid(i - 1, 1))) + x - kJoinedStep);
    canvas.SetCurrentX(float(x));
    canvas.SetCurrentY(float(y));
    canvas.Print(name.mid(i, 1));
  }
}

}  // namespace yz
