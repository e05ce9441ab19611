// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace yz {

// The application's title, shown as the caption of every message box without one of its own.
inline const QString kAppTitle = QStringLiteral("砚舟签名设计");

enum MessageStyle { kMbOk = 0, kMbExclamation = 48, kMbInformation = 64 };

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // Modal; returns when the user pressed OK.
  virtual void Show(const QString& text, int style = kMbOk, const QString& caption = kAppTitle) = 0;
  // Modal yes/no question; true for yes.
  virtual bool Ask(const QString& text, const QString& caption = kAppTitle) = 0;

  // The desktop's three-way question before closing over unsaved work: 保存, 不保存 or 取消.
  enum class SaveAnswer { Save, Discard, Cancel };
  // A box that cannot ask (a program without a window) keeps everything.
  virtual SaveAnswer AskToSave(const QString& text, const QString& caption = kAppTitle) {
    (void)text;
    (void)caption;
    return SaveAnswer::Cancel;
  }
};

}  // namespace yz
