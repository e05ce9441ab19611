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
};

}  // namespace yz
