// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The canvas's right-click menu on the sample installation: the style gallery and the copies,
// each checked against what the renderer draws for the same request.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest/QTest>

#include "app/installation.h"
#include "app/style_rules.h"
#include "export/practice_sheet.h"
#include "export/render_plan.h"
#include "export/run_renderer.h"
#include "render/signature_picture.h"
#include "ui/window_fixture.h"

using namespace yz;

namespace {

const QString kAppPath = QStringLiteral(YZ_APP_DIR "/");

class CanvasMenuTest : public ::testing::Test, public yz::testing::WindowServices<QtPictureLoader> {
 protected:
  // The sample installation rather than the fixture's temporary one.
  void SetUp() override {
    ASSERT_TRUE(QDir(kAppPath + "fonts").exists()) << "no sample installation at " << YZ_APP_DIR;
    OpenWindowOn(LoadInstallation(kAppPath, messages));
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(messages.shown.isEmpty()) << messages.shown.front().text.toStdString();
  }

  QAction* Action(const QString& text) const {
    for (QAction* action : window->canvasMenu->Actions())
      if (action->text() == text) return action;
    ADD_FAILURE() << "no menu entry " << text.toStdString();
    return nullptr;
  }

  // The renderer's picture for the options, or with --style all its pictures in `folder`.
  QImage Rendered(QStringList options, const QString& folder = {}) {
    const QString file = out.filePath(QStringLiteral("one.png"));
    options << "--out" << (folder.isEmpty() ? file : folder);
    QString text;
    QTextStream stream(&text);
    EXPECT_EQ(RunRenderer(QStringList{QStringLiteral("yanzhou-sign-render")} + options, kAppPath,
                          stream, stream),
              kRenderedOk)
        << text.toStdString();
    return QImage(file);
  }

  StyleGallery* OpenFilledGallery() {
    window->txtCN->setFocus();
    QTest::keyClick(window->txtCN, Qt::Key_G, Qt::ControlModifier);
    auto* gallery = window->findChild<StyleGallery*>();
    EXPECT_TRUE(gallery && gallery->isVisible());
    if (gallery) WaitFilled(*gallery);
    return gallery;
  }
  static void WaitFilled(const StyleGallery& gallery) {
    QElapsedTimer timer;
    timer.start();
    while (!gallery.Filled() && timer.elapsed() < 60000) QCoreApplication::processEvents();
    ASSERT_TRUE(gallery.Filled());
  }

  static QImage PngOnClipboard() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data ? QImage::fromData(data->data(QStringLiteral("image/png")), "PNG") : QImage();
  }

  QTemporaryDir out;
};

QImage Thumbnailed(const QImage& picture) {
  return picture.convertToFormat(QImage::Format_RGB32)
      .scaled(StyleGallery::kThumbnailSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void ExpectThumbnailsOf(const StyleGallery& gallery, const QStringList& styles, const QString& folder) {
  for (int style = 0; style < styles.size(); ++style) {
    const QImage rendered(QDir(folder).filePath(StyleFileStem(styles[style]) + ".png"));
    ASSERT_FALSE(rendered.isNull()) << styles[style].toStdString();
    EXPECT_TRUE(gallery.Thumbnail(style).convertToFormat(QImage::Format_RGB32) == Thumbnailed(rendered))
        << "thumbnail of " << styles[style].toStdString() << " is not the renderer's picture";
  }
}

}  // namespace

// Every thumbnail is the renderer's picture of that style with the window's name, scaled; a new
// name draws them all again.
TEST_F(CanvasMenuTest, GalleryShowsEveryStyleAsTheRendererDrawsItAndFollowsTheName) {
  StyleGallery* gallery = OpenFilledGallery();
  ASSERT_TRUE(gallery);
  const QStringList styles = window->catalogue.styleNames;
  QTemporaryDir first, second;
  Rendered({"--style", "all"}, first.path());
  ExpectThumbnailsOf(*gallery, styles, first.path());

  window->txtCN->setText(QStringLiteral("司马相如"));
  window->txtEN->setText(QStringLiteral("Ada"));
  EXPECT_FALSE(gallery->Filled());
  WaitFilled(*gallery);
  Rendered({"--style", "all", "--name", "司马相如", "--en", "Ada"}, second.path());
  ExpectThumbnailsOf(*gallery, styles, second.path());
  EXPECT_TRUE(gallery->Button(window->cboFont->currentIndex())->isChecked());
}

// A click on a thumbnail is a pick in the style list: the seal caps 72 to 48, sets its red and
// draws exactly the renderer's seal.
TEST_F(CanvasMenuTest, GalleryClickPicksTheStyleLikeTheList) {
  StyleGallery* gallery = OpenFilledGallery();
  ASSERT_TRUE(gallery);
  const int seal = int(window->catalogue.styleNames.indexOf(kSealOutline));
  ASSERT_GE(seal, 0);
  QTest::mouseClick(gallery->Button(seal), Qt::LeftButton);
  EXPECT_EQ(window->cboFont->currentText(), kSealOutline);
  EXPECT_EQ(window->cboSize->currentText(), QStringLiteral("48"));
  EXPECT_EQ(window->lblColorPreview->BackColor(), kDarkRed);
  EXPECT_TRUE(canvas.Image() == Rendered({"--style", kSealOutline}).convertToFormat(QImage::Format_RGB32));
  EXPECT_TRUE(gallery->Button(seal)->isChecked());
}

// Ctrl+C copies the canvas as a PNG wherever the focus is, except in a text box with a selection,
// where it copies the selected text.
TEST_F(CanvasMenuTest, CtrlCCopiesThePictureUnlessTextIsSelected) {
  for (QWidget* focus : std::initializer_list<QWidget*>{window->txtCN, window->cboSize, window->cboFont}) {
    QGuiApplication::clipboard()->clear();
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_C, Qt::ControlModifier);
    const QImage copied = PngOnClipboard();
    EXPECT_EQ(copied.size(), QSize(388, 261)) << focus->metaObject()->className();
    EXPECT_TRUE(copied.convertToFormat(QImage::Format_RGB32) == canvas.Image());
  }
  window->txtCN->setFocus();
  window->txtCN->selectAll();
  QTest::keyClick(window->txtCN, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("纪元朗"));
  EXPECT_TRUE(PngOnClipboard().isNull());
}

// The transparent copy is the signature where the canvas has it, on no ground at all.
TEST_F(CanvasMenuTest, TransparentCopyIsTheSignatureWithoutItsGround) {
  QTest::mouseClick(window->cboFont, Qt::LeftButton);  // leave the focus somewhere ordinary
  window->SetFontListIndex(int(window->catalogue.styleNames.indexOf(kSealFilled)));
  Action(QStringLiteral("复制透明图片"))->trigger();
  const QImage copied = PngOnClipboard();
  ASSERT_EQ(copied.size(), QSize(388, 261));
  EXPECT_TRUE(copied.hasAlphaChannel());
  EXPECT_EQ(qAlpha(copied.pixel(0, 0)), 0);
  const QImage rendered = Rendered({"--style", kSealFilled, "--background", "none"});
  EXPECT_TRUE(copied.convertToFormat(QImage::Format_ARGB32) ==
              rendered.convertToFormat(QImage::Format_ARGB32));
}

// The menu opens over the signature and over the empty canvas.
TEST_F(CanvasMenuTest, MenuOpensOverTheCanvasAndTheSignature) {
  for (QWidget* area : std::initializer_list<QWidget*>{window->imgMove, window->picMain}) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), area->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(area, &event);
    EXPECT_TRUE(window->canvasMenu->Menu()->isVisible());
    window->canvasMenu->Menu()->hide();
  }
}

// Ctrl+Shift+P prints the practice sheet of what the canvas shows, from anywhere in the window.
TEST_F(CanvasMenuTest, CtrlShiftPPrintsThePracticeSheetOfTheCurrentSignature) {
  window->txtCN->setText(QStringLiteral("欧阳元朗"));
  window->SetFontListIndex(int(window->catalogue.styleNames.indexOf(kSealOutline)));
  EXPECT_EQ(Action(QStringLiteral("打印练字帖"))->shortcut(),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
  EXPECT_NE(Action(QStringLiteral("导出练字帖…")), nullptr);
  window->txtCN->setFocus();
  QTest::keyClick(window->txtCN, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(printer.pages.size(), 1);
  ASSERT_TRUE(messages.shown.isEmpty()) << messages.shown.front().text.toStdString();

  DrawingRequest request;
  request.style = window->cboFont->currentIndex();
  request.textCN = QStringLiteral("欧阳元朗");
  request.sizeText = QStringLiteral("48");
  request.ink = StyleRuleFor(kSealOutline).ink;
  yz::testing::FakePrinter expected;
  QtFontRegistry fonts;
  const PracticeSheet sheet = MakePracticeSheet(request, window->installation, fonts, pictures);
  expected.PrintPage({}, kSheetMargin, [&](QPainter& painter, const QSizeF& printable) {
    PaintPracticeSheet(painter, sheet, printable);
  });
  EXPECT_TRUE(printer.pages[0].picture == expected.pages[0].picture);
}
