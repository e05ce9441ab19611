// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QFontDatabase>

#include "real_canvas_fixture.h"
#include "render/seal_layout.h"

namespace yz::test {
namespace {

TEST_F(RealCanvasTest, ThreeFontSignatureInksInsideTheHandleAndNowhereElse) {
  install.copyFile(kWenKai, QStringLiteral("fonts/公文签/abc1.dat"));
  install.copyFile(kWenKaiBold, QStringLiteral("fonts/公文签/abc2.dat"));
  install.copyFile(kWenKai, QStringLiteral("fonts/公文签/abc3.dat"));
  AddStyle(QStringLiteral("公文签"), install.appPath() + QStringLiteral("fonts/公文签/abc"));
  controls.textCN = QStringLiteral("纪元朗");
  Draw();
  const QRect handle = HandlePixels();
  const Ink inside = FindInk(canvas.Image(), IsDark, handle.adjusted(-2, -2, 2, 2));
  const Ink everywhere = FindInk(canvas.Image(), IsDark);
  EXPECT_GT(inside.count, 3000);
  EXPECT_EQ(everywhere.count, inside.count) << "ink outside the handle";
  EXPECT_GT(inside.bounds.width(), handle.width() * 8 / 10);
  EXPECT_EQ(fonts.RegisteredPathCount(), 0);
}

TEST_F(RealCanvasTest, MissingOrBrokenFontFilesStillDrawInASubstituteFace) {
  const QString broken = install.writeFile(QStringLiteral("fonts/电脑字/坏(坏字).dat"), "not a font");
  for (const QString& file : {broken, install.appPath() + QStringLiteral("fonts/电脑字/无(无字).dat")}) {
    fontPaths.clear();
    controls.entries.clear();
    AddStyle(QStringLiteral("草书"), file);
    controls.textCN = QStringLiteral("纪元朗");
    EXPECT_NO_THROW(Draw());
    EXPECT_GT(FindInk(canvas.Image(), IsDark).count, 1000) << file.toStdString();
    EXPECT_EQ(fonts.RegisteredPathCount(), 0);
  }
}

TEST_F(RealCanvasTest, TheJoinedStyleDrawsOneUnbrokenLine) {
  AddStyle(QStringLiteral("草书"),
           install.copyFile(kWenKai, QStringLiteral("fonts/电脑字/行书(XS).dat")));
  controls.textCN = QStringLiteral("纪元朗月");
  controls.sizeText = QStringLiteral("36");
  Draw();
  const Ink ink = FindInk(canvas.Image(), IsDark);
  ASSERT_GT(ink.count, 800);
  for (int x = ink.bounds.left(); x <= ink.bounds.right(); ++x)
    ASSERT_GT(FindInk(canvas.Image(), IsDark, QRect(x, 0, 1, 257)).count, 0)
        << "a gap in the line at pixel column " << x;
  EXPECT_TRUE(HandlePixels().adjusted(-2, -2, 2, 2).contains(ink.bounds));
}

class SealCanvasTest : public RealCanvasTest {
 protected:
  SealCanvasTest() {
    AddStyle(kSealOutline, install.copyFile(kHeiBold, QStringLiteral("fonts/电脑字/篆印体(ZY).dat")));
    AddStyle(kSealFilled, install.copyFile(kHeiBold, QStringLiteral("fonts/电脑字/篆印体阴文(ZYW).dat")));
    singleFaceNames = QStringLiteral(",篆印体,篆印体-阴文,");
    controls.textCN = QStringLiteral("纪元朗");
    controls.sizeText = QStringLiteral("48");
  }
  // The frame in pixels: 100 twips left of and 60 above the grid, ending at its far edges.
  QRect FramePixels() const {
    const QRect grid = HandlePixels();
    return QRect(QPoint(qRound((controls.handle.left - 100) / 15), qRound((controls.handle.top - 60) / 15)),
                 grid.bottomRight());
  }
};

TEST_F(SealCanvasTest, TheOutlineSealDrawsRedCharactersInARedFrame) {
  controls.ink = kDarkRed;
  Draw();
  const QImage image = canvas.Image();
  const QRect frame = FramePixels();
  // Every pixel one inside the frame's edge is red.
  for (int x = frame.left() + 1; x < frame.right(); ++x) {
    ASSERT_TRUE(IsSealRed(image.pixel(x, frame.top() + 1))) << x;
    ASSERT_TRUE(IsSealRed(image.pixel(x, frame.bottom() - 1))) << x;
  }
  for (int y = frame.top() + 1; y < frame.bottom(); ++y) {
    ASSERT_TRUE(IsSealRed(image.pixel(frame.left() + 1, y))) << y;
    ASSERT_TRUE(IsSealRed(image.pixel(frame.right() - 1, y))) << y;
  }
  const Ink red = FindInk(image, IsSealRed, frame);
  EXPECT_LT(red.count, frame.width() * frame.height() / 2) << "an outline, not a filled square";
  EXPECT_EQ(FindInk(image, IsSealRed).count, red.count) << "red outside the frame";
  // Characters in all four cells.
  const QRect grid = HandlePixels();
  const QPoint centre = grid.center();
  for (const QRect& cell : {QRect(grid.topLeft(), centre), QRect(centre, grid.bottomRight()),
                            QRect(QPoint(centre.x(), grid.top()), QPoint(grid.right(), centre.y())),
                            QRect(QPoint(grid.left(), centre.y()), QPoint(centre.x(), grid.bottom()))})
    EXPECT_GT(FindInk(image, IsSealRed, cell.adjusted(6, 6, -6, -6)).count, 100);
}

TEST_F(SealCanvasTest, TheFilledSealDrawsWhiteCharactersOnARedSquare) {
  controls.fontIndex = 1;
  controls.ink = kWhite;
  Draw();
  const QRect frame = FramePixels();
  const Ink red = FindInk(canvas.Image(), IsSealRed, frame);
  const Ink white = FindInk(canvas.Image(), IsWhite, frame);
  EXPECT_GT(red.count, frame.width() * frame.height() / 2);
  EXPECT_GT(white.count, 1500);
  EXPECT_EQ(red.bounds, frame);
}

TEST_F(SealCanvasTest, TheOutlineReadsAtEverySizeAndGrowsWithIt) {
  controls.ink = kDarkRed;
  int previous = 0;
  for (int points : {8, 12, 24, 36, 48}) {
    controls.sizeText = QString::number(points);
    Draw(600, 600);
    const QRect frame = FramePixels();
    const int row = frame.center().y();
    int thickness = 0;
    while (IsSealRed(canvas.Image().pixel(frame.left() + thickness, row))) ++thickness;
    EXPECT_GE(thickness, 1) << points;
    EXPECT_LE(thickness, 100 / 15) << points;  // stays inside the frame's left margin
    EXPECT_GE(thickness, previous) << points;
    previous = thickness;
  }
  EXPECT_GE(previous, 3);
}

}  // namespace
}  // namespace yz::test
