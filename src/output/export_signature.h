// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <optional>
#include <utility>

#include "app/installation.h"
#include "render/drawing_request.h"
#include "render/qt_font_registry.h"
#include "seams/message_box.h"
#include "seams/picture_loader.h"
#include "seams/save_dialog.h"

class QWidget;

namespace yz {

// One choice of an export dialog's type list and what it asks for.
struct ExportType {
  QString label;
  QString extension;
  int scale = 1;
  bool transparent = false;
};

// Asks for a file of one of `types`, starting from `proposed` if given; nullopt when the user
// cancelled, or declined to replace an existing file the dialog did not ask about (the name it
// was given, completed).
std::optional<std::pair<QString, ExportType>> AskForExportFile(QWidget* owner,
                                                               const QString& title,
                                                               const QList<ExportType>& types,
                                                               SaveDialog& dialog,
                                                               MessageBox& messages,
                                                               const QString& proposed = {});

// 导出高清图片…: asks for a PNG file, offering it 2, 4 or 8 times the canvas's size on the
// background or on a transparent ground, draws `request` so and writes it whole.
void ExportLargePictureClick(QWidget* owner, DrawingRequest request,
                             const Installation& installation, QtFontRegistry& fonts,
                             PictureLoader& pictures, SaveDialog& dialog, MessageBox& messages);

// 导出矢量图…: asks for an SVG or PDF file, on the background or transparent, and writes the
// signature's strokes as outlines into it.
void ExportVectorClick(QWidget* owner, DrawingRequest request, const Installation& installation,
                       QtFontRegistry& fonts, PictureLoader& pictures, SaveDialog& dialog,
                       MessageBox& messages);

// The name the dialog gave, made to end in the chosen type's extension: added when the name has
// none or another one ("签名" → "签名.png", "签名.jpg" → "签名.jpg.png").
QString WithExtension(const QString& path, const QString& extension);

}  // namespace yz
