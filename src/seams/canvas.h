// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QString>

#include "seams/colour.h"

namespace yz {

// The drawing surface picMain. Positions and sizes are twips (1440 to the inch, 15 to the pixel
// at 96 dpi) from the top-left of the inner area, y downwards, handed over as single-precision
// numbers. The real canvas paints into a persistent QImage; tests use a recording double.
class Canvas {
 public:
  enum class LineStyle { Box, BoxFilled };  // Line with B, Line with BF

  virtual ~Canvas() = default;

  virtual void Cls() = 0;                            // erase everything drawn
  virtual void SetPicture(const QImage& picture) = 0;  // background, top-left, its own size

  virtual void SetFontName(const QString& face) = 0;  // keeps the size
  virtual QString FontName() const = 0;
  virtual void SetFontSize(double points) = 0;
  virtual double FontSize() const = 0;
  virtual void SetForeColor(Colour colour) = 0;
  virtual Colour ForeColor() const = 0;
  virtual void SetFontTransparent(bool transparent) = 0;

  virtual void SetCurrentX(float x) = 0;
  virtual void SetCurrentY(float y) = 0;
  virtual float CurrentX() const = 0;
  virtual float CurrentY() const = 0;

  // Draws text with the top-left of its line box at (CurrentX, CurrentY).
  virtual void Print(const QString& text) = 0;
  virtual float TextWidth(const QString& text) const = 0;
  virtual float TextHeight(const QString& text) const = 0;  // one line's height

  virtual float ScaleWidth() const = 0;  // inner size in twips
  virtual float ScaleHeight() const = 0;

  virtual void SetDrawMode(int mode) = 0;  // 13 = copy pen
  virtual void Line(float x1, float y1, float x2, float y2, Colour colour, LineStyle style) = 0;

  // The persistent picture: background and all that was drawn. Saving and printing read it.
  virtual QImage Image() const = 0;
};

}  // namespace yz
