// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

namespace yz {

// What the window's load finds under AppPath: the entries of the style and background lists
// with the path behind each entry, by list index.
struct Catalogue {
  static constexpr int kMaxEntries = 1001;  // index 0 to 1000 per list

  QStringList styleNames;       // cboFont entries: style directories first, then single faces
  QStringList FontPaths;        // parallel to styleNames
  QString SingleFaceNames;      // ",A,B," : every single-face display name between commas
  QStringList backgroundNames;  // cboImg entries
  QStringList BackgroundPaths;  // parallel to backgroundNames
};

// Lists fonts/, fonts/电脑字/ and images/ under appPath (which ends in "/").
Catalogue LoadCatalogue(const QString& appPath);

}  // namespace yz
