// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

#include "seams/message_box.h"

namespace yz::testing {

// Records every message instead of showing it; Ask answers with `answer`, AskToSave with
// `saveAnswer`.
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
  SaveAnswer AskToSave(const QString& text, const QString& caption) override {
    askedToSave.append({text, -1, caption});
    return saveAnswer;
  }
  QList<Shown> shown;
  QList<Shown> asked;
  QList<Shown> askedToSave;
  bool answer = true;
  SaveAnswer saveAnswer = SaveAnswer::Cancel;
};

}  // namespace yz::testing
