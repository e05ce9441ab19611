// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Practice sheets: frames that stay on the page and shrink only what does not fit, the whole
// signature however far it runs off the canvas, the renderer's PDF as pdftoppm shows it, and the
// window's print and export.
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/installation.h"
#include "app/style_rules.h"
#include "export/practice_sheet.h"
#include "output/print_signature.h"
#include "output/practice_sheet_click.h"
#include "render/qt_picture_loader.h"
#include "render/signature_picture.h"
#include "seams/failure.h"
#include "support/fake_message_box.h"
#include "support/fake_platform.h"
#include "support/sample_installation.h"

using namespace yz;
using yz::testing::RunTool;
using yz::testing::SampleInstallation;

namespace {

DrawingRequest Request(const QString& name, const QString& size) {
  DrawingRequest request;
  request.style = int(SampleInstallation().catalogue.styleNames.indexOf(kDefaultStyle));
  request.background = DefaultBackgroundIndex(SampleInstallation().catalogue.backgroundNames);
  request.textCN = name;
  request.sizeText = size;
  return request;
}

// One row of frames on a rasterised page: the pixel rows holding frame red, and the darkest
// ink among them (255 - the brightest channel, so that the light red frames count as none).
struct FrameRow {
  int top;
  int bottom;
  int ink;
};

QList<FrameRow> FrameRows(const QImage& page) {
  QList<FrameRow> rows;
  bool inRow = false;
  for (int y = 0; y < page.height(); ++y) {
    bool red = false;
    int ink = 0;
    for (int x = 0; x < page.width(); ++x) {
      const QRgb p = page.pixel(x, y);
      red |= qRed(p) - std::min(qGreen(p), qBlue(p)) > 40;
      ink = std::max(ink, 255 - std::max({qRed(p), qGreen(p), qBlue(p)}));
    }
    if (red && !inRow) rows.append({y, y, 0});
    if (red) {
      rows.back().bottom = y;
      rows.back().ink = std::max(rows.back().ink, ink);
    }
    inRow = red;
  }
  return rows;
}

TEST(PracticeSheetLayout, FramesStayOnThePageApartAndOnlyWhatDoesNotFitShrinks) {
  const QSizeF printable(595 - 85, 842 - 85);
  const QRectF page = QRectF(QPointF(0, 0), printable).adjusted(-1e-6, -1e-6, 1e-6, 1e-6);
  struct Case {
    QSizeF signature;
    bool fits;
  };
  for (const Case& c : {Case{{200, 70}, true}, Case{{4, 3}, true}, Case{{900, 120}, false},
                        Case{{300, 400}, false}, Case{{5000, 5000}, false}}) {
    const SheetLayout layout = LayOutSheet(c.signature, printable);
    SCOPED_TRACE(c.signature.width());
    EXPECT_EQ(layout.scale == 1.0, c.fits);
    EXPECT_LE(layout.scale, 1.0);
    EXPECT_NEAR(layout.signature.width(), c.signature.width() * layout.scale, 1e-9);
    EXPECT_GE(layout.paleRows, 3);
    EXPECT_GE(layout.emptyRows, 1);
    EXPECT_GT(layout.frame.width(), layout.signature.width());
    EXPECT_GT(layout.frame.height(), layout.signature.height());
    for (int row = 0; row < layout.Rows(); ++row)
      for (int column = 0; column < layout.columns; ++column)
        EXPECT_TRUE(page.contains(layout.Frame(row, column))) << row << ", " << column;
    EXPECT_GT(layout.Frame(1, 0).top(), layout.Frame(0, 0).bottom());
    if (layout.columns > 1) EXPECT_GT(layout.Frame(0, 1).left(), layout.Frame(0, 0).right());
  }
}

TEST(PracticeSheet, KeepsTheWholeSignatureWhereTheCanvasWouldCutIt) {
  QtFontRegistry fonts;
  QtPictureLoader pictures;
  DrawingRequest request = Request(QStringLiteral("纪元朗元朗"), QStringLiteral("190"));
  const PracticeSheet sheet = MakePracticeSheet(request, SampleInstallation(), fonts, pictures);
  EXPECT_GT(sheet.signature.size.width(), kCanvasInnerPixels.width());
  request.background.reset();
  EXPECT_GT(sheet.signature.shapes.size(),
            DrawSignatureShapes(request, SampleInstallation(), fonts, pictures).shapes.size());
  EXPECT_TRUE(sheet.heading.contains(QStringLiteral("纪元朗元朗")));
  EXPECT_TRUE(sheet.heading.contains(kDefaultStyle));

  request.textCN.clear();
  EXPECT_THROW(MakePracticeSheet(request, SampleInstallation(), fonts, pictures), Failure);
}

TEST(PracticeSheet, TheRenderersPdfIsOneA4PageWithoutFontsShowingModelPaleAndEmptyRows) {
  QTemporaryDir folder;
  const QString pdf = folder.filePath("练字帖.pdf");
  const QString renderer = QStringLiteral(YZ_APP_DIR "/yanzhou-sign-render");
  RunTool(renderer, {"--practice", "--out", pdf});
  const QString info = RunTool("pdfinfo", {pdf});
  EXPECT_TRUE(info.contains(QRegularExpression("Pages: +1\n"))) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Page size: +595(\\.\\d+)? x 84[12](\\.\\d+)? pts")))
      << info.toStdString();
  EXPECT_EQ(RunTool("pdffonts", {pdf}).trimmed().split('\n').size(), 2) << "only its header lines";

  RunTool("pdftoppm", {"-r", "100", "-png", "-singlefile", pdf, folder.filePath("page")});
  const QImage page(folder.filePath("page.png"));
  ASSERT_FALSE(page.isNull());
  const QList<FrameRow> rows = FrameRows(page);
  ASSERT_GE(rows.size(), 5);
  const int model = rows[0].ink;
  EXPECT_GT(model, 200) << "the model in full black ink";
  int pale = 1;
  while (pale < rows.size() && rows[pale].ink >= model * 5 / 100 && rows[pale].ink <= model * 30 / 100)
    ++pale;
  EXPECT_GE(pale - 1, 3) << "pale rows";
  ASSERT_LT(pale, rows.size()) << "no empty rows";
  for (int row = pale; row < rows.size(); ++row) EXPECT_EQ(rows[row].ink, 0) << "row " << row;
  // The heading stands above the frames.
  int headingInk = 0;
  for (int y = 0; y < rows[0].top; ++y)
    for (int x = 0; x < page.width(); ++x) headingInk = std::max(headingInk, 255 - qGray(page.pixel(x, y)));
  EXPECT_GT(headingInk, 150);

  // A sheet is a PDF: another type is refused with the reason, and nothing is written.
  EXPECT_TRUE(RunTool(renderer, {"--practice", "--out", folder.filePath("a.png")}).contains(".pdf"));
  EXPECT_FALSE(QFileInfo::exists(folder.filePath("a.png")));
}

TEST(PracticeSheetClicks, PrintAsPrintingDoesAndExportAfterTheSaveDialog) {
  QTemporaryDir folder;
  QtFontRegistry fonts;
  QtPictureLoader pictures;
  yz::testing::FakePrinter printer;
  yz::testing::FakeMessageBox messages;
  const DrawingRequest request = Request(QStringLiteral("纪元朗"), QStringLiteral("72"));

  PrintPracticeSheetClick(request, SampleInstallation(), fonts, pictures, printer, messages);
  ASSERT_EQ(printer.pages.size(), 1);
  EXPECT_EQ(printer.titles, QStringList{QStringLiteral("练字帖")});
  EXPECT_TRUE(FrameRows(printer.pages[0].picture).size() >= 5);
  EXPECT_TRUE(messages.shown.isEmpty());
  printer.failure = PrintError(482, QStringLiteral("没有设置默认打印机。"));
  PrintPracticeSheetClick(request, SampleInstallation(), fonts, pictures, printer, messages);
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, PrintFailureText(482, QStringLiteral("没有设置默认打印机。")));
  EXPECT_EQ(messages.shown[0].style, kMbExclamation);

  yz::testing::FakeSaveDialog dialog;
  dialog.answer = {false, {}, 1};
  ExportPracticeSheetClick(nullptr, request, SampleInstallation(), fonts, pictures, dialog, messages);
  EXPECT_EQ(messages.shown.size(), 1) << "a cancel says nothing";
  dialog.answer = {true, folder.filePath("我的练字帖"), 1};
  ExportPracticeSheetClick(nullptr, request, SampleInstallation(), fonts, pictures, dialog, messages);
  QFile written(folder.filePath("我的练字帖.pdf"));
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_TRUE(written.read(5) == "%PDF-");
  ASSERT_EQ(messages.shown.size(), 2);
  EXPECT_TRUE(messages.shown[1].text.endsWith(written.fileName()));
}

}  // namespace
