// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

namespace yz {

// What tells a file apart from its earlier self: which file it is (device and inode), its size
// and its modification time to the nanosecond. A kept font or picture is used again only while
// the stamp of its path is unchanged.
struct FileStamp {
  bool exists = false;
  quint64 device = 0, inode = 0;
  qint64 size = 0;
  qint64 modifiedSeconds = 0, modifiedNanoseconds = 0;

  static FileStamp Of(const QString& path);
  bool operator==(const FileStamp&) const = default;
};

}  // namespace yz
