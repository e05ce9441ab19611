// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/file_stamp.h"

#include <QFile>
#include <sys/stat.h>

namespace yz {

FileStamp FileStamp::Of(const QString& path) {
  FileStamp stamp;
  struct stat info {};
  if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0) return stamp;
  stamp.exists = true;
  stamp.device = quint64(info.st_dev);
  stamp.inode = quint64(info.st_ino);
  stamp.size = qint64(info.st_size);
  stamp.modifiedSeconds = qint64(info.st_mtim.tv_sec);
  stamp.modifiedNanoseconds = qint64(info.st_mtim.tv_nsec);
  return stamp;
}

}  // namespace yz
