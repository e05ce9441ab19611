// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/ink_grid.h"

#include <algorithm>
#include <cmath>

namespace yz {

namespace {

// Anything darker than a light grey is ink: the light edges of thin strokes drawn smooth, and a
// hairline rule, but not a pale shading or watermark behind the text.
constexpr int kInkBelow = 200;
// Half a millimetre keeps a hairline rule and the gaps between lines of small text apart.
constexpr double kFinestCellMm = 0.5;
// A poster-sized page gets larger cells rather than a grid larger than a page needs.
constexpr int kMostCellsAcross = 1200;

int GreyOnWhite(QRgb pixel, QImage::Format format) {
  const int alpha = qAlpha(pixel);
  switch (format) {
    case QImage::Format_RGB32: return qGray(pixel);
    case QImage::Format_ARGB32: return (qGray(pixel) * alpha + 255 * (255 - alpha)) / 255;
    default: return qGray(pixel) + 255 - alpha;  // premultiplied
  }
}

}  // namespace

InkGrid::InkGrid(const QImage& page, const QSizeF& pageMm) : pageMm_(pageMm) {
  if (page.isNull() || pageMm.width() <= 0 || pageMm.height() <= 0) return;
  const double pixelsPerMmX = page.width() / pageMm.width();
  const double pixelsPerMmY = page.height() / pageMm.height();
  // A cell holds at least one pixel whichever way, or cells between pixels would stay white.
  cellMm_ = std::max({kFinestCellMm, 1 / std::min(pixelsPerMmX, pixelsPerMmY),
                      std::max(pageMm.width(), pageMm.height()) / kMostCellsAcross});
  columns_ = std::max(1, int(std::ceil(pageMm.width() / cellMm_)));
  rows_ = std::max(1, int(std::ceil(pageMm.height() / cellMm_)));
  ink_.assign(size_t(columns_) * rows_, 0);

  std::vector<int> columnOf(page.width());
  for (int x = 0; x < page.width(); ++x)
    columnOf[x] = std::min(columns_ - 1, int((x + 0.5) / pixelsPerMmX / cellMm_));
  // Read as 32-bit pixels where the page comes so (most of a page is white and skipped at one
  // comparison a pixel), as grey levels where it comes grey; anything else is made one of them.
  // A page drawn on transparency is read as laid on white paper.
  const QImage::Format format = page.format();
  const bool grey = format == QImage::Format_Grayscale8;
  const bool direct = grey || format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                      format == QImage::Format_ARGB32_Premultiplied;
  const QImage pixels = direct ? page : page.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < pixels.height(); ++y) {
    const int row = std::min(rows_ - 1, int((y + 0.5) / pixelsPerMmY / cellMm_));
    unsigned char* cells = &ink_[size_t(row) * columns_];
    if (grey) {
      const uchar* line = pixels.constScanLine(y);
      for (int x = 0; x < pixels.width(); ++x)
        if (line[x] < kInkBelow) cells[columnOf[x]] = 1;
      continue;
    }
    const QRgb* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    for (int x = 0; x < pixels.width(); ++x)
      if (line[x] != 0xffffffff && GreyOnWhite(line[x], pixels.format()) < kInkBelow)
        cells[columnOf[x]] = 1;
  }

  sums_.assign(size_t(columns_ + 1) * (rows_ + 1), 0);
  for (int row = 0; row < rows_; ++row) {
    int acrossRow = 0;
    for (int column = 0; column < columns_; ++column) {
      acrossRow += ink_[size_t(row) * columns_ + column];
      sums_[size_t(row + 1) * (columns_ + 1) + column + 1] =
          sums_[size_t(row) * (columns_ + 1) + column + 1] + acrossRow;
    }
  }
}

int InkGrid::InkCells(int column0, int row0, int column1, int row1) const {
  column0 = std::clamp(column0, 0, columns_), column1 = std::clamp(column1, 0, columns_);
  row0 = std::clamp(row0, 0, rows_), row1 = std::clamp(row1, 0, rows_);
  if (column1 <= column0 || row1 <= row0) return 0;
  const auto at = [this](int column, int row) { return sums_[size_t(row) * (columns_ + 1) + column]; };
  return at(column1, row1) - at(column0, row1) - at(column1, row0) + at(column0, row0);
}

int InkGrid::InkCellsIn(const QRectF& mm) const {
  return InkCells(ColumnAt(mm.left()), RowAt(mm.top()), int(std::ceil(mm.right() / cellMm_)),
                  int(std::ceil(mm.bottom() / cellMm_)));
}

int InkGrid::ColumnAt(double mm) const { return int(std::floor(mm / cellMm_)); }
int InkGrid::RowAt(double mm) const { return int(std::floor(mm / cellMm_)); }

}  // namespace yz
