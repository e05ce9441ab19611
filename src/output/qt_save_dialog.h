// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "seams/save_dialog.h"

namespace yz {

// Qt's own save dialog (not the desktop's), so it looks and behaves the same everywhere.
class QtSaveDialog : public SaveDialog {
 public:
  Result GetSaveFileName(QWidget* owner, const QString& title, const QStringList& filters,
                         int filterIndex) override;
  Result GetSaveFileNameAt(QWidget* owner, const QString& title, const QStringList& filters,
                           int filterIndex, const QString& proposed) override;
};

}  // namespace yz
