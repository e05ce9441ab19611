// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QImage>
#include <QSize>

#include "render/qt_font_registry.h"
#include "render/text_sprites.h"
#include "render/vector_drawing.h"
#include "seams/canvas.h"

namespace yz {

// picMain painted into a persistent QImage of innerPixels × scale pixels, 15 twips to the pixel
// at scale 1. Text is set at points × 96 / 72 pixels (times scale). A face is realised when it is
// chosen, like a selected system font: its line height stays what it was then, even after its
// file is unregistered.
class QtCanvas : public Canvas {
 public:
  static constexpr double kTwipsPerPixel = 15;
  // What lies under the background picture and shows where there is none: white like the
  // picture box, or nothing at all (alpha 0) for a signature to be laid over other artwork.
  enum class Ground { White, Transparent };

  QtCanvas(QtFontRegistry& fonts, QSize innerPixels, int scale = 1, Ground ground = Ground::White);

  void Cls() override;
  void SetPicture(const QImage& picture) override;

  void SetFontName(const QString& face) override;
  QString FontName() const override { return face_; }
  void SetFontSize(double points) override;
  double FontSize() const override { return points_; }
  void SetForeColor(Colour colour) override { foreColour_ = colour; }
  Colour ForeColor() const override { return foreColour_; }
  void SetFontTransparent(bool transparent) override { transparent_ = transparent; }

  void SetCurrentX(float x) override { currentX_ = x; }
  void SetCurrentY(float y) override { currentY_ = y; }
  float CurrentX() const override { return currentX_; }
  float CurrentY() const override { return currentY_; }

  void Print(const QString& text) override;
  float TextWidth(const QString& text) const override;
  float TextHeight(const QString& text) const override;

  float ScaleWidth() const override { return float(inner_.width() * kTwipsPerPixel); }
  float ScaleHeight() const override { return float(inner_.height() * kTwipsPerPixel); }

  void SetDrawMode(int mode) override { drawMode_ = mode; }
  int DrawMode() const { return drawMode_; }
  void Line(float x1, float y1, float x2, float y2, Colour colour, LineStyle style) override;

  QImage Image() const override { return image_; }

  // Printed text is laid from kept images by default; off draws every print afresh, for
  // comparison.
  void SetCachingEnabled(bool on) { sprites_.SetEnabled(on); }
  const TextSprites& Sprites() const { return sprites_; }

  // From now on every drawing step is also kept in `into` as shapes, for output that must stay
  // sharp at any size; nullptr stops keeping them. What lies wholly off the canvas is kept only
  // with `offCanvasToo` (a practice sheet shows the whole signature, not the canvas's view).
  void RecordShapes(VectorDrawing* into, bool offCanvasToo = false);

  // The family Qt actually draws the current face with (a substitute when nothing provides it).
  QString DrawnFamily() const;
  // Pixels of a box outline at the current size: thin enough for small seals, bolder for large.
  double OutlinePixels() const;

 private:
  double ToPixels(double twips) const { return twips * scale_ / kTwipsPerPixel; }
  double ToTwips(double pixels) const { return pixels * kTwipsPerPixel / scale_; }
  void Realise();
  void Record(const QPainterPath& pixels, const QColor& colour);
  void ClearToGround();
  QFont MakeFont() const;
  const QFont& CurrentFont() const;

  QtFontRegistry& fonts_;
  TextSprites sprites_;
  QSize inner_;
  int scale_;
  Ground ground_;
  QImage image_;
  QString face_ = QStringLiteral("Courier New");
  double points_ = 9;
  Colour foreColour_ = kBlack;
  bool transparent_ = true;
  float currentX_ = 0;
  float currentY_ = 0;
  int drawMode_ = 13;
  mutable QFont font_;
  mutable quint64 fontGeneration_ = 0;  // the registry's generation font_ was resolved in
  double lineHeightTwips_ = 0;
  VectorDrawing* shapes_ = nullptr;
  bool offCanvasToo_ = false;
  QImage enlarged_;  // the last background at the canvas's scale
  qint64 enlargedKey_ = 0;
};

}  // namespace yz
