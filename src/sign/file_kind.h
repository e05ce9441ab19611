// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <sys/stat.h>

namespace yz {

// What a path that is not a regular file names, in the user's words ("文件夹", "命名管道",
// "设备文件", "套接字"), for a reason: reading a pipe or a device waits for a writer that may
// never come, and the PDF library needs a file it can seek in. Empty for a regular file.
QString NotRegularFile(const struct stat& status);

// The same for a path, following symbolic links; empty too when nothing is there.
QString NotRegularFile(const QString& path);

}  // namespace yz
