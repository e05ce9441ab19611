// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTextStream>

#include "app/installation.h"
#include "export/render_arguments.h"
#include "export/render_plan.h"
#include "export/run_renderer.h"
#include "render/qt_canvas.h"
#include "render/qt_font_registry.h"
#include "render/qt_picture_loader.h"
#include "render/signature_picture.h"
#include "support/fake_message_box.h"
#include "support/fake_platform.h"
#include "support/pasted_names.h"
#include "ui/frm_main.h"
#include "ui/window_fixture.h"

using namespace yz;

namespace {

const QString kAppPath = QStringLiteral(YZ_APP_DIR "/");

struct Rendered {
  int status;
  QStringList written;
  QString errors;
};

Rendered RenderWith(const QStringList& options) {
  QString out, err;
  QTextStream outStream(&out), errStream(&err);
  const int status = RunRenderer(QStringList{QStringLiteral("yanzhou-sign-render")} + options,
                                 kAppPath, outStream, errStream);
  return {status, out.split('\n', Qt::SkipEmptyParts), err};
}

// The real window on the sample installation, drawing into its own canvas.
class WindowOnSampleInstallation : public ::testing::Test,
                                   public yz::testing::WindowServices<QtPictureLoader> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir(kAppPath + "fonts").exists()) << "no sample installation at " << YZ_APP_DIR;
    OpenWindowOn(LoadInstallation(kAppPath, messages));
    ASSERT_TRUE(messages.shown.isEmpty()) << messages.shown.front().text.toStdString();
  }

  QTemporaryDir out;
};

void ExpectSamePixels(const QImage& window, const QString& renderedFile, const QString& what) {
  const QImage rendered(renderedFile);
  ASSERT_FALSE(rendered.isNull()) << renderedFile.toStdString();
  ASSERT_EQ(rendered.size(), window.size()) << what.toStdString();
  EXPECT_TRUE(rendered.convertToFormat(QImage::Format_RGB32) ==
              window.convertToFormat(QImage::Format_RGB32))
      << "the renderer's " << what.toStdString() << " differs from the window's canvas";
}

}  // namespace

// Every style as a fresh window draws it after a pick, with the size and ink that the pick sets
// (the size a seal capped stays capped in the window, so it starts again from 72).
TEST_F(WindowOnSampleInstallation, RendererDrawsEveryStyleExactlyAsTheWindowDoes) {
  const Rendered run = RenderWith({"--style", "all", "--out", out.path()});
  ASSERT_EQ(run.status, kRenderedOk) << run.errors.toStdString();
  ASSERT_EQ(run.written.size(), window->cboFont->count());
  for (int style = 0; style < window->cboFont->count(); ++style) {
    const QString name = window->cboFont->itemText(style);
    window->cboSize->setEditText("72");
    window->SetFontListIndex(style);
    ExpectSamePixels(canvas.Image(), out.filePath(StyleFileStem(name) + ".png"), name);
  }
}

TEST_F(WindowOnSampleInstallation, RendererDrawsTheWindowsOtherSelectionsAndADraggedPlace) {
  struct Case {
    QString style, background, size, colour, en;
    Colour ink;
    qint32 x, y;
    QString cn = "纪元朗";
  };
  const auto& pasted = yz::testing::kPastedNames;
  const QList<Case> cases = {
      {"英文签", "水墨", "60.5", "#204080", "Ada Lovelace", 0x804020, 900, 1200},
      {"篆印体-阴文", "红格纸", "100", "#FFFFFF", "Osric", kWhite, -1, 300},
      {"行书签", "洒金笺", "36", "#C00000", "Osric", kDarkRed, 120, -1},
      // Names pasted with direction controls, in a style of each kind.
      {"公文签", "水墨", "72", "#000000", "Osric", kBlack, -1, -1, pasted[0].first},
      {"楷体", "水墨", "72", "#000000", "Osric", kBlack, -1, -1, pasted[1].first},
      {"篆印体", "水墨", "48", "#C00000", "Osric", kDarkRed, -1, -1, pasted[3].first},
      {"英文签", "水墨", "72", "#000000", pasted[4].first, kBlack, -1, -1},
  };
  for (const Case& c : cases) {
    const int style = window->cboFont->findText(c.style);
    ASSERT_GE(style, 0);
    window->SetFontListIndex(style);
    window->SetImgListIndex(window->cboImg->findText(c.background));
    window->cboSize->setEditText(c.size);
    window->lblColorPreview->SetBackColor(c.ink);
    window->txtEN->setText(c.en);
    window->txtCN->setText(c.cn);
    window->DrawSignature(c.x, c.y);
    const QString file = out.filePath(c.style + ".png");
    QStringList options = {"--style", c.style, "--background", c.background, "--size", c.size,
                           "--color", c.colour, "--en", c.en, "--name", c.cn, "--out", file};
    if (c.x != -1) options << "--x" << QString::number(c.x);
    if (c.y != -1) options << "--y" << QString::number(c.y);
    const Rendered run = RenderWith(options);
    ASSERT_EQ(run.status, kRenderedOk) << run.errors.toStdString();
    ExpectSamePixels(canvas.Image(), file, c.style);
  }
}

// On a transparent ground the ink alone is opaque: every pixel that a blank white canvas leaves
// white has alpha 0, and the glyphs' cores are solid ink.
TEST(Renderer, ScaleFourOnATransparentGroundIsTheInkAloneAtFourTimesTheCanvas) {
  QTemporaryDir out;
  const QString file = out.filePath("纪元朗.png");
  const Rendered run = RenderWith({"--name", "纪元朗", "--style", "公文签", "--background", "none",
                                   "--scale", "4", "--out", file});
  ASSERT_EQ(run.status, kRenderedOk) << run.errors.toStdString();
  ASSERT_EQ(run.written, QStringList{file});
  const QImage rendered = QImage(file).convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(rendered.size(), kCanvasInnerPixels * 4);

  class Blank : public PictureLoader {
    QImage LoadPicture(const QString&) override { return QImage(); }
  } blank;
  yz::testing::FakeMessageBox messages;
  const Installation installation = LoadInstallation(kAppPath, messages);
  DrawingRequest request;
  request.style = installation.catalogue.styleNames.indexOf("公文签");
  request.background = 0;
  request.textCN = "纪元朗";
  request.scale = 4;
  QtFontRegistry fonts;
  const QImage onWhite = DrawSignaturePicture(request, installation, fonts, blank)
                             .convertToFormat(QImage::Format_ARGB32);
  int solid = 0, bare = 0;
  for (int y = 0; y < rendered.height(); ++y) {
    for (int x = 0; x < rendered.width(); ++x) {
      const QRgb pixel = rendered.pixel(x, y);
      if (onWhite.pixel(x, y) == qRgb(255, 255, 255)) {
        ASSERT_EQ(qAlpha(pixel), 0) << "ground showing at " << x << "," << y;
        ++bare;
      } else if (qAlpha(pixel) == 255) {
        ASSERT_EQ(pixel, onWhite.pixel(x, y)) << "ink at " << x << "," << y;
        ++solid;
      }
    }
  }
  EXPECT_GT(solid, 5000);
  EXPECT_GT(bare, rendered.width() * rendered.height() / 2);
}

TEST(RendererArguments, ValuesAreReadAsTheWindowHoldsThem) {
  const RenderArguments a =
      ParseRenderArguments({"yanzhou-sign-render", "--color", "#C00010", "--x", "-300", "--y=45",
                            "--scale", "8", "--background", "none", "--out", "签名.PNG"});
  EXPECT_EQ(a.ink, std::optional<Colour>(0x1000C0));  // red in the low byte
  EXPECT_EQ(a.x, -300);
  EXPECT_EQ(a.y, 45);
  EXPECT_EQ(a.scale, 8);
  EXPECT_TRUE(a.transparent);
  EXPECT_FALSE(a.style.has_value());
  EXPECT_EQ(a.nameCN, "纪元朗");
}

// A name the chosen style would draw as nothing is refused before anything is written; the
// name a style does not draw may be empty.
TEST(Renderer, ANameWithNothingToDrawIsRefusedAndNothingIsWritten) {
  QTemporaryDir dir;
  const QString file = dir.filePath("签名.png"), folder = dir.filePath("每种");
  const QList<QStringList> refused = {
      {"--name", ""},
      {"--name", "  \t "},
      {"--name", QStringLiteral("\u3000\u3000")},
      {"--name", QStringLiteral("\u200B\u3000")},
      {"--en", " ", "--style", "英文签"},
      {"--name", "", "--style", "楷体"},
  };
  for (const QStringList& options : refused) {
    const Rendered r = RenderWith(options + QStringList{"--out", file});
    EXPECT_EQ(r.status, kBadArguments) << options.join(' ').toStdString();
    EXPECT_EQ(r.errors.count('\n'), 1) << r.errors.toStdString();
    EXPECT_TRUE(r.errors.contains(QStringLiteral("没有可画的字"))) << r.errors.toStdString();
  }
  EXPECT_EQ(RenderWith({"--name", "", "--style", "all", "--out", folder}).status, kBadArguments);
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
  EXPECT_EQ(RenderWith({"--en", "", "--out", file}).status, kRenderedOk);  // 公文签 draws 纪元朗
}

TEST(RendererPlan, EveryStyleGetsItsOwnSafeFileName) {
  Catalogue catalogue;
  catalogue.styleNames = {"公文签", "../上级", "a/b:c", "-rf", "公文签", "...", "x\ty"};
  catalogue.FontPaths = catalogue.styleNames;
  catalogue.backgroundNames = {"白纸"};
  RenderArguments a;
  a.allStyles = true;
  a.out = "/tmp/签名";
  a.folderFormat = "jpg";
  a.sizeText = "30";
  QStringList paths;
  for (const PlannedPicture& p : PlanPictures(a, catalogue)) {
    paths << p.path;
    EXPECT_EQ(p.request.sizeText, "30");
  }
  EXPECT_EQ(paths, (QStringList{"/tmp/签名/公文签.jpg", "/tmp/签名/_上级.jpg",
                                "/tmp/签名/a_b_c.jpg", "/tmp/签名/rf.jpg", "/tmp/签名/公文签-2.jpg",
                                "/tmp/签名/款式.jpg", "/tmp/签名/x_y.jpg"}));
  EXPECT_LE(StyleFileStem(QString(300, QChar(0x7B7E))).toUtf8().size(), 200);
}

TEST(RendererPlan, LeftOutSelectionsAreTheWindowsDefaultsForTheStyle) {
  Catalogue catalogue;
  catalogue.styleNames = {"毛体", "公文签", "篆印体"};
  catalogue.FontPaths = catalogue.styleNames;
  catalogue.backgroundNames = {"白纸", "宣纸", "水墨"};
  RenderArguments a;
  a.out = "a.png";
  const DrawingRequest standard = PlanPictures(a, catalogue).front().request;
  EXPECT_EQ(standard.style, 1);
  EXPECT_EQ(standard.background.value_or(-9), 1);
  EXPECT_EQ(standard.sizeText, "72");
  EXPECT_EQ(standard.ink, kBlack);
  a.style = "篆印体";
  const DrawingRequest seal = PlanPictures(a, catalogue).front().request;
  EXPECT_EQ(seal.sizeText, "48");
  EXPECT_EQ(seal.ink, kDarkRed);
  a.style = "隶书";
  EXPECT_THROW(PlanPictures(a, catalogue), BadArguments);
}
