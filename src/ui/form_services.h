// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "seams/browser.h"
#include "seams/canvas.h"
#include "seams/color_dialog.h"
#include "seams/font_registry.h"
#include "seams/message_box.h"
#include "seams/open_dialog.h"
#include "seams/picture_loader.h"
#include "seams/printer.h"
#include "seams/save_dialog.h"

namespace yz {

// The platform pieces the window works through: Qt's at run time, fakes in tests.
struct FormServices {
  Canvas& canvas;
  FontRegistry& fonts;
  PictureLoader& pictures;
  MessageBox& messages;
  Browser& browser;
  SaveDialog& saveDialog;
  Printer& printer;
  ColorDialog& colorDialog;
  OpenDialog& openDialog;
};

}  // namespace yz
