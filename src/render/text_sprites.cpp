// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/text_sprites.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <cmath>
#include <limits>
#include <memory>

namespace yz {

// What of a text is rasterised: all of it, or only the glyphs that can reach the target.
struct TextSprites::Piece {
  QRectF ink;              // from the baseline's start; empty: nothing to draw
  QList<QGlyphRun> glyphs;  // empty: the whole text
  QString key;             // which glyphs, for the kept images
};

namespace {

// Room around the ink for antialiasing and hinting, as the glyph boxes leave it out.
double MarginFor(const QRectF& ink) { return 2 + int(ink.height() / 16); }

void DrawDirectly(QImage& target, const QFont& font, const QColor& colour, QPointF baseline,
                  const QString& text, const TextSprites::Piece& piece) {
  QPainter painter(&target);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setFont(font);
  painter.setPen(colour);
  if (piece.glyphs.isEmpty()) return painter.drawText(baseline, text);
  for (const QGlyphRun& run : piece.glyphs) painter.drawGlyphRun(baseline, run);
}

// The glyphs of `text` laid out in one line exactly as drawing it whole places them, positioned
// from the baseline's start.
QList<QGlyphRun> LineGlyphs(const QImage& target, const QFont& font, const QString& text) {
  QTextLayout layout(text, font, const_cast<QImage*>(&target));
  QTextOption option;
  option.setWrapMode(QTextOption::NoWrap);
  option.setTextDirection(Qt::LeftToRight);  // as QPainter::drawText lays out a line
  layout.setTextOption(option);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  line.setLineWidth(std::numeric_limits<int>::max() / 256);
  layout.endLayout();
  QList<QGlyphRun> runs = layout.glyphRuns();
  for (QGlyphRun& run : runs) {
    QList<QPointF> positions = run.positions();
    for (QPointF& position : positions) position.ry() -= line.ascent();
    run.setPositions(positions);
  }
  return runs;
}

// The union of the glyphs' own boxes from `first` to `last`.
QRectF GlyphInk(const QGlyphRun& run, qsizetype first, qsizetype last) {
  const QRawFont raw = run.rawFont();
  const QList<quint32> indexes = run.glyphIndexes();
  const QList<QPointF> positions = run.positions();
  QRectF ink;
  for (qsizetype g = first; g <= last; ++g) {
    const QRectF box = raw.boundingRect(indexes[g]).translated(positions[g]);
    if (!box.isEmpty()) ink |= box;
  }
  return ink;
}

// Qt's box for the whole text. It comes back without width when the text ends in an invisible
// character drawn from another face (a zero-width space, a direction control, a mark the face
// lacks), which would leave the whole text undrawn; the glyphs' own boxes stand in for it then.
QRectF TextInk(const QImage& target, const QFont& font, const QString& text) {
  const QRectF box = QFontMetricsF(font, &target).boundingRect(text);
  if (box.width() > 0) return box;
  QRectF ink;
  for (const QGlyphRun& run : LineGlyphs(target, font, text))
    ink |= GlyphInk(run, 0, run.glyphIndexes().size() - 1);
  return ink;
}

// Of the laid-out glyphs only those from the first to the last whose ink can reach `area`
// (relative to the baseline's start). A long name then costs the canvas's width in rasterising,
// whatever its length.
TextSprites::Piece GlyphsReaching(const QList<QGlyphRun>& runs, const QRectF& wholeInk,
                                  const QRectF& area, double margin) {
  TextSprites::Piece piece;
  bool cut = false;
  for (qsizetype r = 0; r < runs.size(); ++r) {
    const QRawFont raw = runs[r].rawFont();
    const QList<quint32> indexes = runs[r].glyphIndexes();
    const QList<QPointF> positions = runs[r].positions();
    qsizetype first = -1, last = -1;
    for (qsizetype g = 0; g < indexes.size(); ++g) {
      const QRectF box = raw.boundingRect(indexes[g]).translated(positions[g]);
      if (box.isEmpty() || !box.adjusted(-margin, -margin, margin, margin).intersects(area)) continue;
      if (first < 0) first = g;
      last = g;
    }
    cut = cut || first != 0 || last != indexes.size() - 1;
    if (first < 0) continue;
    QGlyphRun kept = runs[r];
    kept.setGlyphIndexes(indexes.mid(first, last - first + 1));
    kept.setPositions(positions.mid(first, last - first + 1));
    piece.glyphs << kept;
    piece.ink |= GlyphInk(runs[r], first, last);
    piece.key += QStringLiteral("%1:%2-%3;").arg(r).arg(first).arg(last);
  }
  if (!cut) return {wholeInk, {}, {}};
  return piece;
}

// Ink on the outermost rows or columns may have been cut off by the image's edge.
bool InkOnEdge(const QImage& image) {
  const int w = image.width(), h = image.height();
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    if (y == 0 || y == h - 1) {
      for (int x = 0; x < w; ++x)
        if (row[x] != 0) return true;
    } else if (row[0] != 0 || row[w - 1] != 0) {
      return true;
    }
  }
  return false;
}

// x × a / 255 the way the raster engine rounds it, on all four channels at once.
inline QRgb ByteMul(QRgb x, uint a) {
  quint32 t = (x & 0xff00ff) * a;
  t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
  t &= 0xff00ff;
  x = ((x >> 8) & 0xff00ff) * a;
  x = (x + ((x >> 8) & 0xff00ff) + 0x800080);
  x &= 0xff00ff00;
  return x | t;
}

// Lays the ink over `target` through a coverage mask, blending each pixel as the raster engine
// blends a solid colour over a span of that coverage.
void LayInk(QImage& target, const QImage& coverage, QPoint at, QRgb ink) {
  const QRect area = QRect(at, coverage.size()).intersected(target.rect());
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const auto* mask = reinterpret_cast<const QRgb*>(coverage.constScanLine(y - at.y())) - at.x();
    auto* row = reinterpret_cast<QRgb*>(target.scanLine(y));
    for (int x = area.left(); x <= area.right(); ++x) {
      const uint c = qAlpha(mask[x]);
      if (c == 0) continue;
      if ((c & qAlpha(ink)) == 255) {
        row[x] = ink;
        continue;
      }
      const QRgb colour = c == 255 ? ink : ByteMul(ink, c);
      row[x] = colour + ByteMul(row[x], qAlpha(~colour));
    }
  }
}

QString KeyOf(const QFont& font, QPointF fraction, const QString& text,
              const QString& fontIdentity) {
  // The fraction's exact bits: a sprite is only reused where the coverage is the same.
  return font.key() + QChar(0x1f) + fontIdentity + QChar(0x1f) + QString::number(fraction.x(), 'g', 17) + QChar(0x1f) +
         QString::number(fraction.y(), 'g', 17) + QChar(0x1f) + text;
}

}  // namespace

void TextSprites::SetEnabled(bool on) {
  enabled_ = on;
  if (!on) sprites_.clear();
}

TextSprites::Piece TextSprites::PieceOnTarget(const QImage& target, const QFont& font,
                                              QPointF baseline, const QString& text) {
  const QRectF ink = TextInk(target, font, text);
  const double margin = MarginFor(ink);
  const QRectF reach = ink.translated(baseline).adjusted(-margin, -margin, margin, margin);
  const QRectF canvas(target.rect());
  if (!reach.intersects(canvas)) return {};  // wholly outside: nothing to rasterise
  // Whole while it is no larger than the canvas: then it is kept and laid on wherever it goes.
  if (reach.width() * reach.height() <= canvas.width() * canvas.height()) return {ink, {}, {}};
  return GlyphsReaching(LineGlyphs(target, font, text), ink, canvas.translated(-baseline), margin);
}

TextSprites::Sprite* TextSprites::Render(const QImage& target, const QFont& font, QPointF fraction,
                                         const QString& text, const Piece& piece) {
  // The glyphs' boxes at the target's resolution, with room for antialiasing and hinting; grown
  // if ink still reaches the edge.
  const QRectF ink = piece.ink.translated(fraction);
  if (ink.isEmpty()) return nullptr;
  for (int margin = MarginFor(ink); margin < 4 * ink.height() + 64; margin *= 4) {
    const QRect box = ink.toAlignedRect().adjusted(-margin, -margin, margin, margin);
    if (qint64(box.width()) * box.height() * 4 / 1024 > kMaxSpriteKilobytes) return nullptr;
    auto sprite = std::make_unique<Sprite>();
    sprite->offset = box.topLeft();
    sprite->image = QImage(box.size(), QImage::Format_ARGB32_Premultiplied);
    sprite->image.setDotsPerMeterX(target.dotsPerMeterX());
    sprite->image.setDotsPerMeterY(target.dotsPerMeterY());
    sprite->image.fill(Qt::transparent);
    // Black ink leaves each pixel's coverage, exactly, in its alpha.
    DrawDirectly(sprite->image, font, Qt::black, fraction - QPointF(box.topLeft()), text, piece);
    ++renders_;
    if (!InkOnEdge(sprite->image)) return sprite.release();
  }
  return nullptr;
}

void TextSprites::Draw(QImage& target, const QFont& font, const QColor& colour, QPointF baseline,
                       const QString& text, const QString& fontIdentity) {
  // Text is placed on a 1/64-pixel grid, the raster engine's own precision.
  baseline = QPointF(std::round(baseline.x() * 64) / 64, std::round(baseline.y() * 64) / 64);
  const bool layable =
      target.format() == QImage::Format_RGB32 || target.format() == QImage::Format_ARGB32_Premultiplied;
  if (text.isEmpty() || !layable) return DrawDirectly(target, font, colour, baseline, text, {});
  const QPointF whole(std::floor(baseline.x()), std::floor(baseline.y()));
  const QPointF fraction = baseline - whole;
  // A kept image of the whole text is laid on clipped, with nothing measured; only a text too
  // large to be kept whole is cut to what reaches the canvas.
  const QString key = KeyOf(font, fraction, text, fontIdentity);
  Sprite* sprite = enabled_ ? sprites_.object(key) : nullptr;
  if (sprite) return LayInk(target, sprite->image, whole.toPoint() + sprite->offset, colour.rgba());
  const Piece piece = PieceOnTarget(target, font, baseline, text);
  if (piece.ink.isEmpty()) return;
  // Without keeping, the text is still rasterised in an image of its own and laid on: the
  // raster engine's coverage can differ by a step between places on a large image, and the
  // canvas must look the same whichever way it draws.
  if (!enabled_) {
    const std::unique_ptr<Sprite> fresh(Render(target, font, fraction, text, piece));
    if (!fresh) return DrawDirectly(target, font, colour, baseline, text, piece);
    return LayInk(target, fresh->image, whole.toPoint() + fresh->offset, colour.rgba());
  }
  const QString pieceKey = piece.key.isEmpty() ? key : key + QChar(0x1e) + piece.key;
  if (!piece.key.isEmpty()) sprite = sprites_.object(pieceKey);
  if (!sprite) {
    sprite = Render(target, font, fraction, text, piece);
    if (!sprite) return DrawDirectly(target, font, colour, baseline, text, piece);
    // Never refused: a sprite costs at most kMaxSpriteKilobytes, below the cache's limit.
    sprites_.insert(pieceKey, sprite, std::max<qsizetype>(1, sprite->image.sizeInBytes() / 1024));
  }
  LayInk(target, sprite->image, whole.toPoint() + sprite->offset, colour.rgba());
}

}  // namespace yz
