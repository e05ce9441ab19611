// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace yz {

// A modal dialog that picks one existing file to read. filters are labels such as
// "PDF 文档 (*.pdf)"; it opens in `folder` (its own choice when empty). Returns the file's full
// path, or an empty text when the user cancelled.
class OpenDialog {
 public:
  virtual ~OpenDialog() = default;
  virtual QString GetOpenFileName(QWidget* owner, const QString& title, const QStringList& filters,
                                  const QString& folder) = 0;
};

}  // namespace yz
