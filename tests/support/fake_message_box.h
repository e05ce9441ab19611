// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

#include "seams/message_box.h"

namespace yz::testing {

// Records every message instead of showing it; Ask answers with `answer`.
class FakeMessageBox : public MessageBox {
 public:
  struct Shown {
    QString text;
    int style;
    QString caption;
  };
  void Show(const QString& text, int style, const QString& caption) override {
    shown.append({text, style, caption});
  }
  bool Ask(const QString& text, const QString& caption) override {
    asked.append({text, -1, caption});
    return answer;
  }
  QList<Shown> shown;
  QList<Shown> asked;
  bool answer = true;
};

}  // namespace yz::testing
