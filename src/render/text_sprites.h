// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCache>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QString>

namespace yz {

// Printed text kept as ready-rasterised coverage. Qt rasterises glyphs above 64 pixels from
// their outlines on every call, which makes a signature's large characters the dearest part of a
// drag redraw. Text is therefore rasterised once per font, text and fraction of a pixel into an
// image of its own, and its ink is laid over the canvas through that coverage with the raster
// engine's own blending. Drawing without keeping goes the same way, fresh each time, so the
// canvas looks the same whether or not anything was kept. Only what can reach the canvas is
// rasterised: text wholly outside it not at all, and of a text partly outside only the glyphs
// that touch it.
class TextSprites {
 public:
  static constexpr qsizetype kMaxKeptKilobytes = 32 * 1024;
  static constexpr qsizetype kMaxSpriteKilobytes = 8 * 1024;  // larger texts are drawn directly
  static_assert(kMaxSpriteKilobytes < kMaxKeptKilobytes);

  TextSprites() : sprites_(kMaxKeptKilobytes) {}

  // Draws `text` on `target` in `font` and `colour` with its baseline starting at `baseline`
  // (pixels). `fontIdentity` names what the font's family stands
  // for (the file behind it and its version); a different identity never reuses a kept image.
  void Draw(QImage& target, const QFont& font, const QColor& colour, QPointF baseline,
            const QString& text, const QString& fontIdentity);

  struct Piece;

  // Off drops every kept image and draws directly from then on.
  void SetEnabled(bool on);
  bool Enabled() const { return enabled_; }
  // How often text was drawn afresh rather than laid from a kept image.
  int Renders() const { return renders_; }
  int KeptCount() const { return int(sprites_.count()); }

 private:
  struct Sprite {
    QImage image;
    QPoint offset;  // where the image's top left lies from the baseline's whole-pixel point
  };
  // The part of the text that can show on the target at `baseline`.
  static Piece PieceOnTarget(const QImage& target, const QFont& font, QPointF baseline,
                             const QString& text);
  Sprite* Render(const QImage& target, const QFont& font, QPointF fraction, const QString& text,
                 const Piece& piece);

  QCache<QString, Sprite> sprites_;
  bool enabled_ = true;
  int renders_ = 0;
};

}  // namespace yz
