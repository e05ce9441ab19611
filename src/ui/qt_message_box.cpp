// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt_message_box.h"

#include <QMessageBox>

namespace yz {

void QtMessageBox::Show(const QString& text, int style, const QString& caption) {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  if (style == kMbExclamation) icon = QMessageBox::Warning;
  if (style == kMbInformation) icon = QMessageBox::Information;
  QMessageBox box(icon, caption, text, QMessageBox::Ok, parent_);
  box.exec();
}

bool QtMessageBox::Ask(const QString& text, const QString& caption) {
  QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent_);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace yz
