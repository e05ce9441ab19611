// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/file_kind.h"

#include <QFile>

namespace yz {

QString NotRegularFile(const struct stat& status) {
  if (S_ISREG(status.st_mode)) return {};
  if (S_ISDIR(status.st_mode)) return QStringLiteral("文件夹");
  if (S_ISFIFO(status.st_mode)) return QStringLiteral("命名管道");
  if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) return QStringLiteral("设备文件");
  if (S_ISSOCK(status.st_mode)) return QStringLiteral("套接字");
  return QStringLiteral("特殊文件");
}

QString NotRegularFile(const QString& path) {
  struct stat status {};
  if (::stat(QFile::encodeName(path).constData(), &status) != 0) return {};
  return NotRegularFile(status);
}

}  // namespace yz
