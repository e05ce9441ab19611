// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <vector>

namespace yz {

// A page's picture reduced to a grid of small square cells, each either ink (something darker
// than a light grey drawn in it) or white, so that a page can be searched for white space
// quickly at any resolution it was drawn at. Areas are asked for in millimetres from the page's
// top-left; how much ink one holds is answered in constant time.
class InkGrid {
 public:
  InkGrid(const QImage& page, const QSizeF& pageMm);

  int Columns() const { return columns_; }
  int Rows() const { return rows_; }
  double CellMm() const { return cellMm_; }
  const QSizeF& PageMm() const { return pageMm_; }

  bool Ink(int column, int row) const { return ink_[size_t(row) * columns_ + column] != 0; }
  // How many ink cells the cells column0..column1-1 × row0..row1-1 hold (clipped to the grid).
  int InkCells(int column0, int row0, int column1, int row1) const;
  // How many ink cells touch the area.
  int InkCellsIn(const QRectF& mm) const;

  double ColumnMm(int column) const { return column * cellMm_; }
  double RowMm(int row) const { return row * cellMm_; }
  int ColumnAt(double mm) const;
  int RowAt(double mm) const;

 private:
  QSizeF pageMm_;
  double cellMm_ = 0.5;
  int columns_ = 0, rows_ = 0;
  std::vector<unsigned char> ink_;
  std::vector<int> sums_;  // summed-area table, (columns_ + 1) × (rows_ + 1)
};

}  // namespace yz
