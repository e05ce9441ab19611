// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/start_up.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include "app/installation.h"
#include "app/mod_pub.h"
#include "output/qt_color_dialog.h"
#include "output/qt_open_dialog.h"
#include "output/qt_printer.h"
#include "output/qt_save_dialog.h"
#include "render/control_fonts.h"
#include "render/qt_canvas.h"
#include "render/qt_font_registry.h"
#include "render/qt_picture_loader.h"
#include "ui/frm_main.h"
#include "ui/qt_browser.h"
#include "ui/qt_message_box.h"
#include "ui/qt_translations.h"

namespace modPub {

int Main(QApplication& application) {
  // No display name: on X11 Qt appends it to every window title ("… — 砚舟签名设计").
  QApplication::setApplicationName(QStringLiteral("yanzhou-sign"));
  // Every move of a drag redraws at the pointer; X11 would otherwise merge the moves that
  // queue up while a drawing runs.
  QCoreApplication::setAttribute(Qt::AA_CompressHighFrequencyEvents, false);
  yz::InstallControlFontSubstitutes();
  yz::InstallChineseQtTranslations(application);

  // applicationDirPath resolves a symlink to the executable, so a link elsewhere still finds
  // the fonts, pictures and table beside the real program.
  yz::QtMessageBox messages;
  yz::Installation installation =
      yz::LoadInstallation(AppPathFor(QCoreApplication::applicationDirPath()), messages);

  yz::QtFontRegistry fonts;
  yz::QtCanvas canvas(fonts, QSize(388, 261));
  yz::QtPictureLoader pictures;
  yz::QtBrowser browser;
  yz::QtSaveDialog saveDialog;
  yz::QtPrinter printer;
  yz::QtColorDialog colorDialog;
  yz::QtOpenDialog openDialog;
  yz::frmMain window({canvas, fonts, pictures, messages, browser, saveDialog, printer, colorDialog,
                      openDialog},
                     std::move(installation));
  messages.setParent(&window);
  window.Form_Load();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    window.move(screen->availableGeometry().center() - window.rect().center());
  }
  window.show();
  return application.exec();
}

}  // namespace modPub
