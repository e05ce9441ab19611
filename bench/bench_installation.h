// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "app/installation.h"
#include "seams/message_box.h"

namespace yz::bench {

// The benchmark measures; what the installation would tell a user is not its business.
class SilentMessages : public MessageBox {
 public:
  void Show(const QString&, int, const QString&) override {}
  bool Ask(const QString&, const QString&) override { return false; }
};

// The sample installation, read once for every benchmark.
inline const Installation& Installed() {
  static const Installation installation = [] {
    SilentMessages messages;
    return LoadInstallation(QStringLiteral(YZ_APP_DIR "/"), messages);
  }();
  return installation;
}

}  // namespace yz::bench
