// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sign/nss_prompt.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QThread>
#include <QVBoxLayout>

#include "certificates/nss_databases.h"

namespace yz {

namespace {

AskSecret& WindowAsk() {
  static AskSecret ask;
  return ask;
}

}  // namespace

std::optional<QString> AskSecretInDialog(const QString& prompt, bool wrongBefore) {
  QDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(QStringLiteral("输入密码"));
  auto* layout = new QVBoxLayout(&dialog);
  if (wrongBefore) {
    auto* wrong = new QLabel(QStringLiteral("密码不对，请再输入一次。"));
    wrong->setStyleSheet(QStringLiteral("color: #b00000;"));
    layout->addWidget(wrong);
  }
  auto* label = new QLabel(prompt);
  label->setWordWrap(true);
  layout->addWidget(label);
  auto* field = new QLineEdit;
  field->setEchoMode(QLineEdit::Password);
  field->setAccessibleName(QStringLiteral("密码"));
  layout->addWidget(field);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  dialog.resize(420, dialog.sizeHint().height());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return field->text();
}

void UseWindowNssPrompt(AskSecret ask) {
  if (ask) WindowAsk() = std::move(ask);
  SetNssPasswordPrompt([](const QString& token, bool retry) -> std::optional<QString> {
    const QString prompt = QStringLiteral("证书数据库“%1”需要密码：").arg(token);
    const auto answer = [&] {
      const AskSecret& asking = WindowAsk();
      return asking ? asking(prompt, retry) : AskSecretInDialog(prompt, retry);
    };
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || QThread::currentThread() == application->thread()) return answer();
    // NSS asks from the signing's worker thread: the dialog is the GUI thread's, and the
    // worker waits for it.
    std::optional<QString> given;
    QMetaObject::invokeMethod(application, [&] { given = answer(); }, Qt::BlockingQueuedConnection);
    return given;
  });
}

}  // namespace yz
