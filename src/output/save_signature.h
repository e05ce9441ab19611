// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

#include "seams/message_box.h"
#include "seams/save_dialog.h"

class QWidget;

namespace yz {

// The click on imgSave: asks for a file, writes the canvas picture into it and confirms.
void SaveSignatureClick(QWidget* owner, const QImage& picture, SaveDialog& dialog,
                        MessageBox& messages);

}  // namespace yz
