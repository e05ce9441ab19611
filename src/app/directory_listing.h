// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

namespace yz {

// Names in a folder, in the order the catalogue's rules rely on: by name with letter case
// ignored (upper-cased UTF-16 code units, as the original file system orders them; exact names
// break ties). Hidden entries (a leading dot), "." and "..", broken links and names that are not
// valid UTF-8 (they could not be opened again through a path) are left out. A missing or
// unreadable folder lists nothing.
enum class ListingKind { FilesAndFolders, FilesOnly };
QStringList ListFolder(const QString& folder, ListingKind kind);

// The order above, as a comparison.
bool ListsBefore(const QString& a, const QString& b);

}  // namespace yz
