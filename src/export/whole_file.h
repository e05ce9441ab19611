// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

namespace yz {

// Puts `bytes` at `path` so that the file there is either the old one, untouched, or the new one
// complete: the bytes go to a temporary file in the same folder, are flushed and synced with
// every result checked, and only then does the temporary take the name. Only a regular file is
// ever replaced; a symbolic link to one stays and its target is replaced. Returns an empty text
// on success, else the reason in the user's words, naming the file or folder it is about.
QString WriteFileWhole(const QString& path, const QByteArray& bytes);

}  // namespace yz
