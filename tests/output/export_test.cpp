// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Vector documents and large pictures of the sample installation's signatures: what they show
// matches the window's picture, they need no font, and the export dialogs write what was chosen.
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/installation.h"
#include "app/style_rules.h"
#include "export/signature_file.h"
#include "output/export_signature.h"
#include "render/qt_picture_loader.h"
#include "render/signature_picture.h"
#include "support/fake_message_box.h"
#include "support/fake_platform.h"
#include "support/sample_installation.h"

using namespace yz;
using yz::testing::RunTool;
using yz::testing::SampleInstallation;

namespace {

DrawingRequest RequestFor(const QString& style) {
  DrawingRequest request;
  request.style = int(SampleInstallation().catalogue.styleNames.indexOf(style));
  request.background = DefaultBackgroundIndex(SampleInstallation().catalogue.backgroundNames);
  request.textCN = QStringLiteral("纪元朗");
  request.textEN = QStringLiteral("Osric");
  request.sizeText = QString::number(StyleRuleFor(style).sizeCap);
  request.ink = StyleRuleFor(style).ink;
  return request;
}

// Pixels whose grey differs by more than a quarter: the edges of strokes placed a fraction of a
// pixel apart, or strokes missing.
int DifferingPixels(const QImage& a, const QImage& b) {
  int differing = 0;
  for (int y = 0; y < std::min(a.height(), b.height()); ++y)
    for (int x = 0; x < std::min(a.width(), b.width()); ++x)
      if (std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 64) ++differing;
  return differing;
}

TEST(VectorExport, SvgAndPdfShowThePictureAsOutlinesWithoutAnyFont) {
  QTemporaryDir folder;
  QtFontRegistry fonts;
  QtPictureLoader pictures;
  for (const QString& style : {QStringLiteral("公文签"), kSealFilled}) {
    const DrawingRequest request = RequestFor(style);
    ASSERT_GE(request.style, 0) << style.toStdString();
    const QImage picture = DrawSignaturePicture(request, SampleInstallation(), fonts, pictures);
    const QString svg = folder.filePath(style + ".svg"), pdf = folder.filePath(style + ".pdf");
    WriteSignatureFile(request, SampleInstallation(), fonts, pictures, svg);
    WriteSignatureFile(request, SampleInstallation(), fonts, pictures, pdf);

    QImage fromSvg(picture.size(), QImage::Format_RGB32);
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    QPainter painter(&fromSvg);
    renderer.render(&painter);
    painter.end();
    RunTool("pdftoppm", {"-r", "96", "-png", "-singlefile", pdf, folder.filePath("page")});
    const QImage fromPdf(folder.filePath("page.png"));
    ASSERT_FALSE(fromPdf.isNull());

    const int budget = picture.width() * picture.height() / 100;  // 1 %: stroke edges only
    EXPECT_LT(DifferingPixels(picture, fromSvg), budget) << style.toStdString();
    EXPECT_LT(DifferingPixels(picture, fromPdf), budget) << style.toStdString();
    // pdffonts prints its two header lines and one line per font.
    EXPECT_EQ(RunTool("pdffonts", {pdf}).trimmed().split('\n').size(), 2) << style.toStdString();
    QFile text(svg);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QByteArray document = text.readAll();
    EXPECT_FALSE(document.contains("<text")) << style.toStdString();
    EXPECT_TRUE(document.contains("<image")) << "the background belongs under the strokes";
  }
}

TEST(ExportDialogs, WriteTheChosenTypeAndSizeAndAskBeforeReplacingACompletedName) {
  QTemporaryDir folder;
  QtFontRegistry fonts;
  QtPictureLoader pictures;
  yz::testing::FakeSaveDialog dialog;
  yz::testing::FakeMessageBox messages;
  const DrawingRequest request = RequestFor(QStringLiteral("公文签"));

  dialog.answer = {true, folder.filePath("签名"), 5};  // transparent, 4 times
  ExportLargePictureClick(nullptr, request, SampleInstallation(), fonts, pictures, dialog, messages);
  const QImage large(folder.filePath("签名.png"));
  EXPECT_EQ(large.size(), kCanvasInnerPixels * 4);
  EXPECT_TRUE(large.hasAlphaChannel());
  EXPECT_EQ(qAlpha(large.pixel(0, 0)), 0);
  EXPECT_EQ(dialog.lastFilters.size(), 6);

  QFile existing(folder.filePath("签名.jpg.pdf"));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.write("kept");
  existing.close();
  messages.answer = false;
  dialog.answer = {true, folder.filePath("签名.jpg"), 2};  // PDF, on the background
  ExportVectorClick(nullptr, request, SampleInstallation(), fonts, pictures, dialog, messages);
  EXPECT_EQ(QFileInfo(existing.fileName()).size(), 4);
  messages.answer = true;
  ExportVectorClick(nullptr, request, SampleInstallation(), fonts, pictures, dialog, messages);
  EXPECT_TRUE(RunTool("pdfinfo", {existing.fileName()}).contains("Pages:"));
}

TEST(ExportDialogs, TheChosenTypesExtensionIsAddedUnlessTheNameEndsInIt) {
  EXPECT_EQ(WithExtension("/a/签名", "png"), "/a/签名.png");
  EXPECT_EQ(WithExtension("/a/签名.PNG", "png"), "/a/签名.PNG");
  EXPECT_EQ(WithExtension("/a/签名.", "svg"), "/a/签名.svg");
  EXPECT_EQ(WithExtension("/my.pics/签名", "pdf"), "/my.pics/签名.pdf");
}

}  // namespace
