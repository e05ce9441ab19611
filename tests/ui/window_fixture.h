// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFile>
#include <gtest/gtest.h>
#include <memory>

#include "app/installation.h"
#include "render/qt_canvas.h"
#include "render/qt_font_registry.h"
#include "render/qt_picture_loader.h"
#include "support/fake_message_box.h"
#include "support/fake_platform.h"
#include "support/temp_installation.h"
#include "ui/frm_main.h"

namespace yz::testing {

// Counts decoded backgrounds: every drawing that gets past its preparation loads one.
class CountingPictureLoader : public PictureLoader {
 public:
  QImage LoadPicture(const QString& path) override {
    ++loads;
    return real.LoadPicture(path);
  }
  QtPictureLoader real;
  int loads = 0;
};

// The window with the real canvas and fonts and fakes for every dialog, opened on `install`.
// Pictures: the picture loader it draws with.
template <typename Pictures>
struct WindowServices {
  frmMain& OpenWindow() {
    Installation installation;  // no compound-surname table
    installation.AppPath = install.appPath();
    installation.catalogue = LoadCatalogue(installation.AppPath);
    return OpenWindowOn(std::move(installation));
  }
  // The window on another installation, the sample one the build assembles say.
  frmMain& OpenWindowOn(Installation installation) {
    window = std::make_unique<frmMain>(
        FormServices{canvas, fonts, pictures, messages, browser, saveDialog, printer, colorDialog,
                     openDialog},
        std::move(installation));
    window->Form_Load();
    return *window;
  }

  TempInstallation install;
  QtFontRegistry fonts;
  QtCanvas canvas{fonts, QSize(388, 261)};
  Pictures pictures;
  FakeMessageBox messages;
  FakeBrowser browser;
  FakeSaveDialog saveDialog;
  FakePrinter printer;
  FakeColorDialog colorDialog;
  FakeOpenDialog openDialog;
  std::unique_ptr<frmMain> window;
};

// The real window on a small installation: three-font styles (the fonts are real files; their
// faces need not match for the window's own rules), two seals, an English style, three pictures.
class WindowTest : public ::testing::Test, public WindowServices<CountingPictureLoader> {
 protected:
  void SetUp() override {
    const QString font = QStringLiteral("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc");
    for (const QString& style : {QStringLiteral("公文签"), QStringLiteral("毛体"),
                                 QStringLiteral("英文签2"), QStringLiteral("毛体2")}) {
      for (int i = 1; i <= 3; ++i) install.copyFile(font, QString("fonts/%1/abc%2.dat").arg(style).arg(i));
    }
    install.copyFile(font, QStringLiteral("fonts/电脑字/篆印体(Seal).dat"));
    install.copyFile(font, QStringLiteral("fonts/电脑字/篆印体-阴文(Seal).dat"));
    install.copyFile(font, QStringLiteral("fonts/电脑字/行楷(Xk).dat"));
    install.writePicture(QStringLiteral("images/01-白纸.png"), 388, 261, 0xFFFFFF);
    install.writePicture(QStringLiteral("images/02-宣纸.png"), 388, 261, 0xF4EBD9);
    install.writePicture(QStringLiteral("images/03-淡墨.png"), 388, 261, 0xE8E8E8);
    OpenWindow();
  }
  void TearDown() override { window.reset(); }

  void Pick(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text));
    emit combo->activated(combo->currentIndex());
  }
};

}  // namespace yz::testing
