// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "seams/open_dialog.h"

namespace yz {

// Qt's own open dialog, like the save dialog: the same look everywhere, in Chinese.
class QtOpenDialog : public OpenDialog {
 public:
  QString GetOpenFileName(QWidget* owner, const QString& title, const QStringList& filters,
                          const QString& folder) override;
};

}  // namespace yz
