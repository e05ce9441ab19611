// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/installation.h"

#include "app/mod_pub.h"

namespace yz {

Installation LoadInstallation(const QString& appPath, MessageBox& messages) {
  Installation installation;
  installation.AppPath = appPath;
  installation.CompoundSurnames =
      modPub::ReadTextFile(appPath + QStringLiteral("data/fuxing.dat"), messages);
  installation.catalogue = LoadCatalogue(appPath);
  return installation;
}

}  // namespace yz
