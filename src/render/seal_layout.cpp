// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/seal_layout.h"

#include <array>

#include "render/name_characters.h"
#include "render/rounding.h"

namespace yz {
namespace {

// The seal sits higher and further left than a centred line, over the frame's margins.
constexpr qint32 kSealExtraX = 500;
constexpr qint32 kSealExtraY = 400;
// The frame reaches this far left of and above the grid; it ends at the grid's right and bottom.
constexpr qint32 kFrameMarginX = 100;
constexpr qint32 kFrameMarginY = 60;
constexpr int kCopyPen = 13;

struct Cell {
  float x;
  float y;
  QString character;
};

}  // namespace

QString CompleteSealText(const QString& name) {
  const qsizetype count = NameCharacters(name).size();
  if (count == 2) return name + QStringLiteral("之印");
  if (count == 3) return name + QStringLiteral("印");
  return name;
}

void DrawSeal(LayoutContext& context, qint32 x, qint32 y, const QString& name, bool filled) {
  Canvas& canvas = context.picMain;
  const QString text = CompleteSealText(name);
  const QStringList characters = NameCharacters(text);
  const QString first = characters.value(0);
  const float w = canvas.TextWidth(first);
  const float h = canvas.TextHeight(first);
  if (x == -1)
    x = RoundHalfEven((double(canvas.ScaleWidth()) - 2.0 * w) / 2 - context.OffsetX - kSealExtraX);
  if (y == -1)
    y = RoundHalfEven((double(canvas.ScaleHeight()) - canvas.TextHeight(text)) / 2 - context.OffsetY -
                      kSealExtraY);
  const qint32 x2 = RoundHalfEven(double(x) + w);
  const qint32 y2 = RoundHalfEven(double(y) + h);

  const bool full = characters.size() == 4;
  const auto cell = [&](qsizetype i) { return full ? characters[i] : QString(); };
  const std::array<Cell, 4> cells{{{float(x), float(y), cell(2)},
                                   {float(x2), float(y), cell(0)},
                                   {float(x), float(y2), cell(3)},
                                   {float(x2), float(y2), cell(1)}}};

  context.MoveHandle(float(x), float(y), 2 * w, 2 * h);  // the grid, not the margins
  canvas.SetDrawMode(kCopyPen);
  const float left = float(CheckedSum(qint64(x) - kFrameMarginX));
  const float top = float(CheckedSum(qint64(y) - kFrameMarginY));
  canvas.Line(left, top, float(x2) + w, float(y2) + h, kDarkRed,
              filled ? Canvas::LineStyle::BoxFilled : Canvas::LineStyle::Box);

  for (const Cell& cell : cells) {
    if (cell.character.isEmpty()) continue;
    canvas.SetCurrentX(cell.x);
    canvas.SetCurrentY(cell.y);
    canvas.Print(cell.character);
  }
}

}  // namespace yz
