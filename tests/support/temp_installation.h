// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace yz::testing {

// A small application folder in a temporary directory, for tests that need files under AppPath.
class TempInstallation {
 public:
  TempInstallation();
  // AppPath of the installation: the folder with one trailing "/".
  QString appPath() const;
  // Writes `bytes` to the relative path, creating folders.
  QString writeFile(const QString& relativePath, const QByteArray& bytes = QByteArray());
  // Writes a real picture of the given size and colour.
  QString writePicture(const QString& relativePath, int width = 388, int height = 261,
                       unsigned rgb = 0xF4EBD9);
  QString makeFolder(const QString& relativePath);
  // Copies an existing file (a font, say) into the installation.
  QString copyFile(const QString& source, const QString& relativePath);

 private:
  QTemporaryDir dir_;
};

}  // namespace yz::testing
