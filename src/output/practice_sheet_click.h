// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/installation.h"
#include "render/drawing_request.h"
#include "render/qt_font_registry.h"
#include "seams/message_box.h"
#include "seams/picture_loader.h"
#include "seams/printer.h"
#include "seams/save_dialog.h"

class QWidget;

namespace yz {

// 打印练字帖: the practice sheet of `request` on the default printer's own page; a failed print
// shows the same message as 打印签名. A signature that cannot be drawn throws Failure.
void PrintPracticeSheetClick(const DrawingRequest& request, const Installation& installation,
                             QtFontRegistry& fonts, PictureLoader& pictures, Printer& printer,
                             MessageBox& messages);

// 导出练字帖…: asks for a PDF file and writes the practice sheet into it, whole or not at all.
void ExportPracticeSheetClick(QWidget* owner, const DrawingRequest& request,
                              const Installation& installation, QtFontRegistry& fonts,
                              PictureLoader& pictures, SaveDialog& dialog, MessageBox& messages);

}  // namespace yz
