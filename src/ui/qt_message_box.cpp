// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt_message_box.h"

#include <QMessageBox>
#include <QPushButton>

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

MessageBox::SaveAnswer QtMessageBox::AskToSave(const QString& text, const QString& caption) {
  QMessageBox box(QMessageBox::Warning, caption, text,
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent_);
  box.button(QMessageBox::Save)->setText(QStringLiteral("保存"));
  box.button(QMessageBox::Discard)->setText(QStringLiteral("不保存"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save: return SaveAnswer::Save;
    case QMessageBox::Discard: return SaveAnswer::Discard;
    default: return SaveAnswer::Cancel;
  }
}

}  // namespace yz
