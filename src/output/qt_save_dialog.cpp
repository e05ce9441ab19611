// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/qt_save_dialog.h"

#include <QFileDialog>

namespace yz {

SaveDialog::Result QtSaveDialog::GetSaveFileName(QWidget* owner, const QString& title,
                                                 const QStringList& filters, int filterIndex) {
  return GetSaveFileNameAt(owner, title, filters, filterIndex, {});
}

SaveDialog::Result QtSaveDialog::GetSaveFileNameAt(QWidget* owner, const QString& title,
                                                   const QStringList& filters, int filterIndex,
                                                   const QString& proposed) {
  QFileDialog dialog(owner, title);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(filters);
  if (filterIndex >= 1 && filterIndex <= filters.size()) dialog.selectNameFilter(filters[filterIndex - 1]);
  dialog.setDefaultSuffix(QString());  // the type is added by the caller's own rule
  if (!proposed.isEmpty()) dialog.selectFile(proposed);  // its folder, and its name to accept
  Result result;
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return result;
  result.accepted = true;
  result.path = dialog.selectedFiles().first();
  result.filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
  return result;
}

}  // namespace yz
