// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace yz {

// A modal save-file dialog. filters are labels such as "bmp文件(*.bmp)"; filterIndex is 1-based,
// in and out. The dialog asks before accepting the name of an existing file.
class SaveDialog {
 public:
  struct Result {
    bool accepted = false;
    QString path;
    int filterIndex = 1;
  };
  virtual ~SaveDialog() = default;
  virtual Result GetSaveFileName(QWidget* owner, const QString& title, const QStringList& filters,
                                 int filterIndex) = 0;
  // The same, opening in the folder of `proposed` with its name filled in, ready to accept.
  // A dialog that cannot propose a name asks as GetSaveFileName does.
  virtual Result GetSaveFileNameAt(QWidget* owner, const QString& title, const QStringList& filters,
                                   int filterIndex, const QString& proposed) {
    (void)proposed;
    return GetSaveFileName(owner, title, filters, filterIndex);
  }
};

}  // namespace yz
