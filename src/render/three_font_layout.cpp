// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/three_font_layout.h"

#include <array>

#include "render/face_names.h"
#include "render/rounding.h"

namespace yz {
namespace {

struct Part {
  QString text;
  QString file;
  qint32 width = 0;
};

// One registration around exactly one measuring or one print; the guard removes it also when
// the step in between throws.
qint32 MeasureWidth(LayoutContext& context, const Part& part) {
  ScopedFontFile font(context.fonts, part.file);
  context.picMain.SetFontName(FaceNameOf(part.file));
  return RoundHalfEven(context.picMain.TextWidth(part.text));
}

void PrintPart(LayoutContext& context, const Part& part) {
  ScopedFontFile font(context.fonts, part.file);
  context.picMain.SetFontName(FaceNameOf(part.file));
  context.picMain.Print(part.text);
}

// Places the current point for one part. `before` is the sum of the widths left of it.
void PlacePart(LayoutContext& context, qint32 x, qint32 y, qint32 before, qint32 total,
               const QString& text) {
  Canvas& canvas = context.picMain;
  // Default positions stay unrounded: floating point with a true division, handed on as float.
  if (x == -1)
    canvas.SetCurrentX(float(before + (double(canvas.ScaleWidth()) - total) / 2 - context.OffsetX));
  else
    canvas.SetCurrentX(float(CheckedSum(qint64(x) + before)));
  // Measured before the part's own face is set: in the face most recently set on the canvas.
  if (y == -1)
    canvas.SetCurrentY(
        float((double(canvas.ScaleHeight()) - canvas.TextHeight(text)) / 2 - context.OffsetY));
  else
    canvas.SetCurrentY(float(y));
}

}  // namespace

void DrawThreeFontSignature(LayoutContext& context, qint32 x, qint32 y, const QString& fontPath,
                            const SignatureParts& parts) {
  std::array<Part, 3> row{{{parts.first, fontPath + QStringLiteral("1.dat")},
                           {parts.middle, fontPath + QStringLiteral("2.dat")},
                           {parts.last, fontPath + QStringLiteral("3.dat")}}};
  for (Part& part : row)
    if (!part.text.isEmpty()) part.width = MeasureWidth(context, part);

  const qint32 total = CheckedSum(qint64(row[0].width) + row[1].width + row[2].width);
  // A right-to-left name reads from the right: its surname part stands rightmost, as each part's
  // own letters are already laid out by the face.
  const bool rightToLeft = (parts.first + parts.middle + parts.last).isRightToLeft();
  const auto before = [&](int part) {
    qint32 left = 0;
    for (int i = 0; i < part; ++i) left = CheckedSum(qint64(left) + row[i].width);
    return rightToLeft ? total - left - row[part].width : left;
  };
  Canvas& canvas = context.picMain;
  if (!row[0].text.isEmpty()) {
    PlacePart(context, x, y, 0, total, row[0].text);
    context.MoveHandle(canvas.CurrentX(), canvas.CurrentY(), float(total),
                       canvas.TextHeight(row[0].text));
    if (rightToLeft) PlacePart(context, x, y, before(0), total, row[0].text);
    PrintPart(context, row[0]);
  }
  for (int part : {1, 2}) {
    if (row[part].text.isEmpty()) continue;
    PlacePart(context, x, y, before(part), total, row[part].text);
    PrintPart(context, row[part]);
  }
}

}  // namespace yz
