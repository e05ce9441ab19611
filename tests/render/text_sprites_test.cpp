// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QFont>

#include "real_canvas_fixture.h"

namespace yz::test {
namespace {

// Kept text coverage must leave the canvas exactly as drawing afresh does, and never stand in
// for a different text, size, fraction of a pixel or font file.
// Pixels that differ, and the first of them, for a readable failure.
std::string Differences(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return "sizes differ";
  int count = 0;
  QString first;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y) && count++ == 0)
        first = QStringLiteral(" first at %1,%2: %3 vs %4")
                    .arg(x).arg(y).arg(a.pixel(x, y), 8, 16).arg(b.pixel(x, y), 8, 16);
  return count == 0 ? std::string() : (QString::number(count) + " pixels differ;" + first).toStdString();
}

class TextSpritesTest : public ::testing::Test {
 protected:
  TextSpritesTest() {
    file = install.copyFile(kWenKai, QStringLiteral("fonts/公文签/abc1.dat"));
    direct.SetCachingEnabled(false);
    const QImage ground(install.writePicture(QStringLiteral("images/bg.png"), 388, 261, 0xF4EBD9));
    for (QtCanvas* canvas : {&kept, &direct}) canvas->SetPicture(ground);
  }
  // The same print on both canvases.
  void Print(const QString& face, double points, Colour ink, float x, float y, const QString& text) {
    fonts.LoadFontFile(file);
    for (QtCanvas* canvas : {&kept, &direct}) {
      canvas->SetFontName(face);
      canvas->SetFontSize(points);
      canvas->SetForeColor(ink);
      canvas->SetCurrentX(x);
      canvas->SetCurrentY(y);
      canvas->Print(text);
    }
    fonts.UnloadFontFile(file);
  }
  yz::testing::TempInstallation install;
  QtFontRegistry fonts;
  QtCanvas kept{fonts, QSize(388, 261)};
  QtCanvas direct{fonts, QSize(388, 261)};
  QString file;
};

TEST_F(TextSpritesTest, KeptImagesDrawExactlyWhatDrawingAfreshDraws) {
  // Fractions of a pixel, inks over ink, sizes either side of Qt's own glyph cache, a face that
  // only a substitute draws and text reaching past the canvas's edges.
  struct Case { QString face; double points; Colour ink; float x, y; QString text; };
  const QList<Case> cases = {
      {"abc1", 72, kBlack, 600, 400, "纪"},          {"abc1", 72, kBlack, 607, 403, "纪"},
      {"abc1", 72, 0x0000C0, 611.3f, 409.9f, "元"}, {"abc1", 36, 0x2080FF, 1500, 900, "朗月"},
      {"abc1", 60.5, 0x00FF00, 1400, 1000, "纪元"}, {"abc1", 200, 0x000080, -900, -700, "朗"},
      {"abc1", 12, kBlack, 100, 3600, "Osric 纪"},   {"无此字体", 48, 0x4040FF, 3000, 200, "纪元朗"},
      {"abc1", 72, kBlack, 600, 400, "纪"},
  };
  for (int i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    Print(c.face, c.points, c.ink, c.x, c.y, c.text);
    EXPECT_EQ(Differences(kept.Image(), direct.Image()), "") << "after case " << i;
  }
  EXPECT_GT(kept.Sprites().KeptCount(), 0);
  EXPECT_EQ(direct.Sprites().KeptCount(), 0);
}

TEST_F(TextSpritesTest, KeptCoverageServesOnlyTheSameTextSizeFractionAndFile) {
  const auto renders = [&] { return kept.Sprites().Renders(); };
  Print("abc1", 72, kBlack, 600, 400, "纪");
  const int first = renders();
  Print("abc1", 72, kBlack, 615, 430, "纪");  // whole pixels further: the same image
  EXPECT_EQ(renders(), first);
  Print("abc1", 72, 0x0000FF, 615, 430, "纪");  // another ink through the same coverage
  EXPECT_EQ(renders(), first);
  Print("abc1", 72, kBlack, 617, 430, "纪");  // a fraction of a pixel: drawn afresh
  Print("abc1", 72, kBlack, 615, 430, "元");
  Print("abc1", 73, kBlack, 615, 430, "元");
  EXPECT_EQ(renders(), first + 3);

  install.copyFile(kHeiBold, QStringLiteral("fonts/公文签/abc1.dat"));  // replaced on disk
  Print("abc1", 72, kBlack, 600, 400, "纪");
  EXPECT_EQ(renders(), first + 4);
  EXPECT_EQ(Differences(kept.Image(), direct.Image()), "");
}

TEST_F(TextSpritesTest, HugeTextIsDrawnDirectly) {
  Print("abc1", 2000, kBlack, -3000, -3000, "纪元朗");
  EXPECT_EQ(kept.Sprites().KeptCount(), 0);
  EXPECT_EQ(Differences(kept.Image(), direct.Image()), "");
}

// Qt's box for a text ending in an invisible character drawn from another face has no width;
// the characters before it still draw.
TEST_F(TextSpritesTest, ATextEndingInAnotherFacesInvisibleCharacterStillDraws) {
  const auto ink = [&](const QString& text) {
    QtCanvas canvas{fonts, QSize(388, 261)};
    fonts.LoadFontFile(file);
    canvas.SetFontName("abc1");
    canvas.SetFontSize(72);
    canvas.Print(text);
    fonts.UnloadFontFile(file);
    return FindInk(canvas.Image(), IsDark).count;
  };
  EXPECT_GT(ink("纪元"), 300);
  for (const char* end : {"\u200b", "\u200d", "\ufeff", "\u0301"})
    EXPECT_GE(ink(QStringLiteral("纪元") + QString::fromUtf8(end)), ink("纪元")) << end;
}

// A long name costs the canvas's width, not its length: what lies wholly outside is never
// rasterised, and cutting the rest to the glyphs on the canvas changes no pixel.
TEST_F(TextSpritesTest, OnlyTheGlyphsOnTheCanvasAreRasterisedAndTheyLookAsIfDrawnWhole) {
  const QString name = QStringLiteral("纪元朗").repeated(12);  // past both edges of the canvas
  QtCanvas narrow{fonts, QSize(388, 261)};
  QtCanvas wide{fonts, QSize(2600, 261)};  // holds all of it, and keeps it whole
  fonts.LoadFontFile(file);
  const auto print = [&](QtCanvas& canvas, float x, float y) {
    canvas.SetFontName("abc1");
    canvas.SetFontSize(48);
    canvas.SetCurrentX(x);
    canvas.SetCurrentY(y);
    canvas.Print(name);
  };
  print(narrow, -6743, 1200);
  print(wide, -6743 + 600 * 15, 1200);
  EXPECT_EQ(Differences(wide.Image().copy(600, 0, 388, 261), narrow.Image()), "");
  const QImage before = narrow.Image();
  const int renders = narrow.Sprites().Renders();
  for (const QPointF far : {QPointF(-60000, 1200), QPointF(6000, 1200), QPointF(0, 4000)})
    print(narrow, float(far.x()), float(far.y()));
  EXPECT_EQ(narrow.Sprites().Renders(), renders);
  EXPECT_EQ(narrow.Image(), before);
  fonts.UnloadFontFile(file);
}

}  // namespace
}  // namespace yz::test
