// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include "app/installation.h"
#include "support/fake_message_box.h"

namespace yz::testing {

// The installation the build assembles, read once per test program.
inline const Installation& SampleInstallation() {
  static const Installation installation = [] {
    FakeMessageBox messages;
    return LoadInstallation(QStringLiteral(YZ_APP_DIR "/"), messages);
  }();
  return installation;
}

// Runs a program to its end (a minute at most) and returns what it printed, both streams.
inline QString RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(60000);
  return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

}  // namespace yz::testing
