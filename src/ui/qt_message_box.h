// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "seams/message_box.h"

class QWidget;

namespace yz {

class QtMessageBox : public MessageBox {
 public:
  explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }
  void Show(const QString& text, int style, const QString& caption) override;
  bool Ask(const QString& text, const QString& caption) override;
  SaveAnswer AskToSave(const QString& text, const QString& caption) override;

 private:
  QWidget* parent_;
};

}  // namespace yz
