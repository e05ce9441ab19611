// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

#include "output/ink_colour.h"
#include "output/qt_color_dialog.h"
#include "output/qt_printer.h"
#include "output/qt_save_dialog.h"

using namespace yz;

namespace {

// Acts on the real modal dialog once its own event loop runs: finds it among the top-level
// widgets and hands it to `act`, which accepts or rejects it.
template <typename Dialog>
void WhenShown(const std::function<void(Dialog&)>& act) {
  QTimer::singleShot(0, [act] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* dialog = qobject_cast<Dialog*>(widget); dialog && dialog->isVisible()) {
        act(*dialog);
        return;
      }
    }
    ADD_FAILURE() << "no visible dialog";
  });
}

const QStringList kTypes = {QStringLiteral("bmp文件(*.bmp)"), QStringLiteral("jpg文件(*.jpg)")};

}  // namespace

TEST(QtSaveDialog, OpensQtsOwnModalDialogAndReturnsTheNameAndType) {
  QTemporaryDir dir;
  QtSaveDialog seam;
  bool checked = false;
  WhenShown<QFileDialog>([&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "保存签名图片");
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(dialog.defaultSuffix().isEmpty());
    EXPECT_EQ(dialog.nameFilters(), kTypes);
    EXPECT_EQ(dialog.selectedNameFilter(), kTypes[0]);
    EXPECT_TRUE(dialog.isModal());
    dialog.setDirectory(dir.path());
    dialog.selectNameFilter(kTypes[1]);
    dialog.selectFile(QStringLiteral("签名"));
    checked = true;
    QMetaObject::invokeMethod(&dialog, "accept");  // protected in QFileDialog, a slot all the same
  });
  const SaveDialog::Result result = seam.GetSaveFileName(nullptr, "保存签名图片", kTypes, 1);
  EXPECT_TRUE(checked);
  EXPECT_TRUE(result.accepted);
  EXPECT_EQ(result.path, dir.filePath("签名"));  // no suffix added by the dialog
  EXPECT_EQ(result.filterIndex, 2);

  WhenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
  EXPECT_FALSE(seam.GetSaveFileName(nullptr, "保存签名图片", kTypes, 1).accepted);
}

TEST(QtColorDialog, OpensOnTheRequestWithBlackCustomColoursWhereItIsPlaced) {
  QColorDialog::setCustomColor(3, Qt::red);  // left over from an earlier opening
  QtColorDialog seam;
  ColorDialog::Request request;
  request.initial = 192;
  request.customColours.fill(kBlack);
  QRect frameSeen;
  request.placeOnOpen = [&frameSeen](const QRect& frame) {
    frameSeen = frame;
    return QPoint(37, 41);
  };
  WhenShown<QColorDialog>([](QColorDialog& dialog) {
    // The placement runs right after showing; look once it has.
    QTimer::singleShot(50, &dialog, [&dialog] {
      EXPECT_EQ(dialog.frameGeometry().topLeft(), QPoint(37, 41));
      EXPECT_EQ(dialog.currentColor(), QColor(192, 0, 0));
      EXPECT_TRUE(dialog.testOption(QColorDialog::DontUseNativeDialog));
      EXPECT_TRUE(dialog.isModal());
      for (int i = 0; i < QColorDialog::customCount(); ++i) {
        EXPECT_EQ(QColorDialog::customColor(i), QColor(Qt::black)) << i;
      }
      dialog.setCurrentColor(QColor(0, 0, 255));
      dialog.accept();
    });
  });
  const ColorDialog::Result confirmed = seam.ChooseColor(request);
  EXPECT_TRUE(confirmed.confirmed);
  EXPECT_EQ(confirmed.colour, 0xFF0000u);  // blue in the 0x00BBGGRR layout
  EXPECT_FALSE(frameSeen.isEmpty());

}

TEST(QtColorDialog, TheInkDialogIsCentredOnTheWholeScreenAndCancelKeepsNothing) {
  QtColorDialog seam;
  WhenShown<QColorDialog>([](QColorDialog& dialog) {
    QTimer::singleShot(50, &dialog, [&dialog] {
      const QSize screen = QGuiApplication::primaryScreen()->size();
      const QRect frame = dialog.frameGeometry();
      EXPECT_EQ(frame.topLeft(), QPoint((screen.width() - frame.width()) / 2,
                                        (screen.height() - frame.height()) / 2));
      EXPECT_EQ(dialog.currentColor(), QColor(0, 0, 255));
      dialog.setCurrentColor(QColor(0, 255, 0));
      dialog.reject();
    });
  });
  EXPECT_EQ(ChooseInkColour(nullptr, 0xFF0000, seam), std::nullopt);
}

TEST(QtPrinter, AnEmptyCanvasIsNotSentAnywhere) {
  try {
    QtPrinter().PrintPicture(QImage(), 4.04, 2.72);
    FAIL() << "no failure";
  } catch (const PrintError& error) {
    EXPECT_EQ(error.number(), kNothingToPrint);
    EXPECT_FALSE(error.description().isEmpty());
  }
}

// The real printer against a print system that is not there: a fresh process, so that the
// scheduler's address is read before anything in this one has asked CUPS.
TEST(QtPrinter, WithoutADefaultQueueSaysThatNoPrinterIsSetUp) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        qputenv("CUPS_SERVER", "/nonexistent/yz-cups.sock");
        QImage picture(388, 261, QImage::Format_RGB32);
        picture.fill(Qt::white);
        try {
          QtPrinter().PrintPicture(picture, 5820 / 1440.0, 3920 / 1440.0);
          std::fputs("printed without a printer", stderr);
          std::exit(1);
        } catch (const PrintError& error) {
          std::fprintf(stderr, "error %d: %s", error.number(),
                       error.description().toUtf8().constData());
          std::exit(error.number() == kNoDefaultPrinter &&
                            error.description().contains(QStringLiteral("没有设置默认打印机"))
                        ? 0
                        : 2);
        }
      },
      ::testing::ExitedWithCode(0), "error 482");
}
