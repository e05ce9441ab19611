// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "real_canvas_fixture.h"
#include "render/seal_layout.h"

namespace yz::test {
namespace {

// The seal styles drawn with the installation's own seal faces, as a user sees them at 48 pt.
class SealFacePixelsTest : public RealCanvasTest {
 protected:
  void SetUp() override {
    if (!UseSampleInstallation())
      GTEST_SKIP() << "no sample installation at " << YZ_APP_DIR << " (build target yz_installation)";
    controls.imgIndex = 1;
    controls.sizeText = QStringLiteral("48");
    controls.textCN = QStringLiteral("纪元朗");
  }
  void DrawSeal(const QString& style, Colour ink) {
    controls.fontIndex = int(controls.entries.indexOf(style));
    ASSERT_GE(controls.fontIndex, 0) << style.toStdString();
    controls.ink = ink;
    Draw();
  }
  // The frame: 100 twips left of and 60 above the grid, flush with its right and bottom.
  QRect Frame() const { return HandlePixels().adjusted(-7, -4, 0, 0); }
  // The four cells, each inside the frame's outline (4 pixels at 48 pt).
  QList<QRect> Cells() const {
    const QRect grid = HandlePixels();
    const int w = grid.width() / 2, h = grid.height() / 2;
    QList<QRect> cells;
    for (int row = 0; row < 2; ++row)
      for (int column = 0; column < 2; ++column)
        cells << QRect(grid.left() + column * w, grid.top() + row * h, w, h)
                     .intersected(Frame().adjusted(4, 4, -4, -4));
    return cells;
  }
  double Share(const std::function<bool(QRgb)>& is) const {
    const QRect frame = Frame();
    return double(FindInk(canvas.Image(), is, frame).count) / (frame.width() * frame.height());
  }
  // Each cell holds a character that fills it nearly to the frame, both ways, as seal
  // characters fill their squares (type set in a box leaves a wide margin).
  void ExpectEveryCellFilled(const std::function<bool(QRgb)>& is) const {
    for (const QRect& cell : Cells()) {
      const Ink ink = FindInk(canvas.Image(), is, cell);
      EXPECT_GT(ink.count, cell.width() * cell.height() / 8) << "too little ink in a cell";
      EXPECT_GE(ink.bounds.width(), cell.width() * 85 / 100);
      EXPECT_GE(ink.bounds.height(), cell.height() * 85 / 100);
    }
  }
};

TEST_F(SealFacePixelsTest, RedStrokesFillTheOutlinedSealAsACarvedOneDoes) {
  DrawSeal(kSealOutline, kDarkRed);
  // Frame and even strokes together: enough red to read as a stamp, not the blotch of bold
  // type thickened.
  const double red = Share(IsSealRed);
  EXPECT_GT(red, 0.25);
  EXPECT_LT(red, 0.40);
  ExpectEveryCellFilled(IsSealRed);
}

TEST_F(SealFacePixelsTest, WhiteStrokesAreCutIntoTheFilledSeal) {
  DrawSeal(kSealFilled, kWhite);
  // Cut lines are narrow: the stone stays mostly red, and the white of every stroke shows.
  const double red = Share(IsSealRed);
  EXPECT_GT(red, 0.65);
  EXPECT_LT(red, 0.85);
  EXPECT_GT(Share(IsWhite), 0.12);
  ExpectEveryCellFilled(IsWhite);
}

}  // namespace
}  // namespace yz::test
