// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QFileDevice;

namespace yz {

// Puts `bytes` at `path` so that the file there is either the old one, untouched, or the new one
// complete: the bytes go to a temporary file in the same folder, are flushed and synced with
// every result checked, and only then does the temporary take the name. Only a regular file is
// ever replaced; a symbolic link to one stays and its target is replaced. Returns an empty text
// on success, else the reason in the user's words, naming the file or folder it is about.
QString WriteFileWhole(const QString& path, const QByteArray& bytes);

// The same for a file too large to hold in memory: `fill` writes its bytes into the open
// temporary file (it may seek back and patch what it wrote) and returns an empty text, or its
// reason to give up, in which case nothing is put in place. `size` is what it will write,
// for telling a full disk apart.
QString WriteFileThrough(const QString& path, qint64 size,
                         const std::function<QString(QFileDevice& file)>& fill);

}  // namespace yz
