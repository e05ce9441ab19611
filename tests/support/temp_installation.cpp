// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/temp_installation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace yz::testing {

TempInstallation::TempInstallation() : dir_(QDir::tempPath() + "/yz-install-XXXXXX") {}

QString TempInstallation::appPath() const { return dir_.path() + "/"; }

QString TempInstallation::makeFolder(const QString& relativePath) {
  const QString path = appPath() + relativePath;
  QDir().mkpath(path);
  return path;
}

QString TempInstallation::writeFile(const QString& relativePath, const QByteArray& bytes) {
  const QString path = appPath() + relativePath;
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
  return path;
}

QString TempInstallation::writePicture(const QString& relativePath, int width, int height,
                                       unsigned rgb) {
  const QString path = appPath() + relativePath;
  QDir().mkpath(QFileInfo(path).path());
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor::fromRgb(rgb));
  image.save(path, "PNG");
  return path;
}

QString TempInstallation::copyFile(const QString& source, const QString& relativePath) {
  const QString path = appPath() + relativePath;
  QDir().mkpath(QFileInfo(path).path());
  QFile::remove(path);
  QFile::copy(source, path);
  return path;
}

}  // namespace yz::testing
