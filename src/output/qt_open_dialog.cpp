// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/qt_open_dialog.h"

#include <QFileDialog>

namespace yz {

QString QtOpenDialog::GetOpenFileName(QWidget* owner, const QString& title,
                                      const QStringList& filters, const QString& folder) {
  QFileDialog dialog(owner, title);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(filters);
  if (!folder.isEmpty()) dialog.setDirectory(folder);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

}  // namespace yz
