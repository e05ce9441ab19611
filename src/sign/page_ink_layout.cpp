// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/page_ink_layout.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace yz {

namespace {

// A signature line is long enough to write a name on and thin, with white above it for the
// name; the rows of a text line never are (the strokes above its lowest row are ink too).
constexpr double kRuleMinLengthMm = 20;
constexpr double kRuleGapMm = 1;          // underscores drawn glyph by glyph may leave a sliver
constexpr double kRuleWhiteAboveMm = 3;
constexpr double kRuleThickestMm = 1.5;
constexpr double kMostlyWhite = 0.08;     // share of ink cells that still counts as white
// A rule spanning the text's whole width is a separator (a header's, a footer's), not a place
// to sign; one with strokes down from both ends is the top of a table.
constexpr double kSeparatorShare = 0.9;
constexpr double kSeparatorMinMm = 60;
constexpr double kTableLegsMm = 5;
// Rows closer than this are one line of text (the inside of 二 or of a Latin e).
constexpr double kLineGapMm = 0.5;
// The footer: short lines in the bottom of the page, apart from the text above them.
constexpr double kFooterZoneShare = 0.12;
constexpr double kFooterTallestMm = 10;
constexpr double kFooterGapMm = 4;
constexpr double kFooterGapOverLineGap = 1.6;  // set apart more than the text's lines are

int Cells(double mm, const InkGrid& grid) { return std::max(1, int(std::lround(mm / grid.CellMm()))); }

QRectF CellsMm(const InkGrid& grid, int column0, int row0, int column1, int row1) {
  return QRectF(grid.ColumnMm(column0), grid.RowMm(row0), grid.ColumnMm(column1 - column0),
                grid.RowMm(row1 - row0));
}

bool MostlyWhite(const InkGrid& grid, int column0, int row0, int column1, int row1) {
  const int area = (column1 - column0) * (row1 - row0);
  return area <= 0 || grid.InkCells(column0, row0, column1, row1) <= kMostlyWhite * area;
}

// Rows top down grouped into lines: runs of rows holding ink, with gaps of less than kLineGapMm
// inside them.
std::vector<QRectF> LinesOfInk(const InkGrid& grid) {
  std::vector<QRectF> lines;
  const int gapCells = Cells(kLineGapMm, grid);
  int start = -1, lastInk = -1, left = grid.Columns(), right = -1;
  const auto close = [&] {
    if (start >= 0) lines.push_back(CellsMm(grid, left, start, right + 1, lastInk + 1));
    start = -1, left = grid.Columns(), right = -1;
  };
  for (int row = 0; row < grid.Rows(); ++row) {
    int first = -1, last = -1;
    for (int column = 0; column < grid.Columns(); ++column) {
      if (!grid.Ink(column, row)) continue;
      if (first < 0) first = column;
      last = column;
    }
    if (first < 0) continue;
    if (start >= 0 && row - lastInk > gapCells) close();
    if (start < 0) start = row;
    lastInk = row, left = std::min(left, first), right = std::max(right, last);
  }
  close();
  return lines;
}

// Long thin runs of ink along a row with white above: rules and underscores drawn to sign on.
std::vector<QRectF> RulesOfInk(const InkGrid& grid) {
  std::vector<QRectF> rules;
  const int minLength = Cells(kRuleMinLengthMm, grid), gap = Cells(kRuleGapMm, grid);
  const int above = Cells(kRuleWhiteAboveMm, grid), thickest = Cells(kRuleThickestMm, grid);
  const int legs = Cells(kTableLegsMm, grid);
  for (int row = 1; row < grid.Rows(); ++row) {
    int column = 0;
    while (column < grid.Columns()) {
      if (!grid.Ink(column, row)) { ++column; continue; }
      int end = column + 1, white = 0;  // end: one past the run's last ink cell
      for (int c = column + 1; c < grid.Columns() && white <= gap; ++c) {
        if (grid.Ink(c, row)) end = c + 1, white = 0;
        else ++white;
      }
      const int start = column;
      column = end;
      if (end - start < minLength) continue;
      if (!MostlyWhite(grid, start, row - above, end, row)) continue;
      int bottom = row + 1;  // one past the rule's last row: rows as inked as its first
      while (bottom < grid.Rows() && bottom - row <= thickest &&
             grid.InkCells(start, bottom, end, bottom + 1) >= (1 - kMostlyWhite) * (end - start))
        ++bottom;
      if (bottom - row > thickest) continue;
      if (!MostlyWhite(grid, start, bottom, end, bottom + 1)) continue;  // a text line's top
      const bool leftLeg = grid.InkCells(start, bottom + 1, start + gap + 1, bottom + legs) > 0;
      const bool rightLeg = grid.InkCells(end - gap - 1, bottom + 1, end, bottom + legs) > 0;
      if (leftLeg && rightLeg) continue;
      rules.push_back(CellsMm(grid, start, row, end, bottom));
    }
  }
  return rules;
}

bool Touches(const QRectF& line, const std::vector<QRectF>& boxes) {
  return std::any_of(boxes.begin(), boxes.end(), [&](const QRectF& box) {
    return box.top() < line.bottom() && box.bottom() > line.top();
  });
}

// A separator spans the text it separates (a header's rule, a footer's); a line to sign on is
// shorter.
bool IsSeparator(const QRectF& rule, const QRectF& textMm) {
  return rule.width() >= kSeparatorShare * textMm.width() && rule.width() >= kSeparatorMinMm;
}

// Where the footer starts: the lowest lines, if they are short, low on the page and set apart
// from the text above by a gap, or a separator rule low on the page with only such lines under
// it; lines holding a signing label or a signature line are text.
double FooterTop(const std::vector<QRectF>& lines, const InkGrid& grid,
                 const std::vector<QRectF>& rules, const std::vector<QRectF>& labels,
                 const QRectF& inkMm) {
  const double pageHeight = grid.PageMm().height();
  const double zoneTop = pageHeight * (1 - kFooterZoneShare);
  std::vector<QRectF> signingRules, separators;
  for (const QRectF& rule : rules) (IsSeparator(rule, inkMm) ? separators : signingRules).push_back(rule);
  std::vector<double> gaps;
  for (size_t i = 1; i < lines.size(); ++i) gaps.push_back(lines[i].top() - lines[i - 1].bottom());
  double apart = kFooterGapMm;
  if (!gaps.empty()) {
    std::nth_element(gaps.begin(), gaps.begin() + gaps.size() / 2, gaps.end());
    apart = std::max(apart, kFooterGapOverLineGap * gaps[gaps.size() / 2]);
  }
  std::optional<double> footer;
  for (size_t i = lines.size(); i-- > 0;) {
    const QRectF& line = lines[i];
    if (line.top() < zoneTop || line.height() > kFooterTallestMm) break;
    if (Touches(line, labels) || Touches(line, signingRules)) break;
    if (line.height() <= kRuleThickestMm && Touches(line, separators)) return line.top();
    if (!footer && (i == 0 || line.top() - lines[i - 1].bottom() >= apart)) footer = line.top();
  }
  return footer.value_or(pageHeight);
}

}  // namespace

PageInkLayout ReadPageInkLayout(const InkGrid& grid, const std::vector<QRectF>& labelBoxesMm) {
  PageInkLayout layout;
  layout.footerTopMm = grid.PageMm().height();
  if (grid.Columns() == 0) return layout;
  std::vector<QRectF> lines = LinesOfInk(grid);
  std::vector<QRectF> rules = RulesOfInk(grid);
  QRectF inkMm;
  for (const QRectF& line : lines) inkMm |= line;
  layout.footerTopMm = FooterTop(lines, grid, rules, labelBoxesMm, inkMm);
  const auto below = [&](const QRectF& box) { return box.top() >= layout.footerTopMm; };
  lines.erase(std::remove_if(lines.begin(), lines.end(), below), lines.end());
  rules.erase(std::remove_if(rules.begin(), rules.end(), below), rules.end());
  for (const QRectF& line : lines) layout.textMm |= line;
  layout.blank = lines.empty();
  rules.erase(std::remove_if(rules.begin(), rules.end(),
                             [&](const QRectF& rule) { return IsSeparator(rule, layout.textMm); }),
              rules.end());
  layout.linesMm = std::move(lines);
  layout.signatureLinesMm = std::move(rules);
  return layout;
}

}  // namespace yz
