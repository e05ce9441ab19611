// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "seams/message_box.h"
#include "seams/save_dialog.h"

class QWidget;

namespace mdlBrowseFile {

// Asks for a file to write with a modal save dialog and returns its full path, or "" when the
// user cancelled. `filter` is label, pattern, label, pattern..., each followed by a NUL. A file
// name without any dot gets ".bmp" when the first type was chosen and ".jpg" otherwise.
QString browseFile(QWidget* owner, const QString& title, const QString& filter,
                   yz::SaveDialog& dialog, yz::MessageBox& messages);

// The extension rule alone, on the last "/" component of `path`.
QString WithTypeExtension(const QString& path, int filterIndex);

}  // namespace mdlBrowseFile
