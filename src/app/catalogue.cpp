// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/catalogue.h"

#include "app/directory_listing.h"
#include "app/name_rules.h"

namespace yz {

namespace {

bool Full(const Catalogue& c) { return c.FontPaths.size() >= Catalogue::kMaxEntries; }

void AddStyles(Catalogue& catalogue, const QString& fonts) {
  for (const QString& style : ListFolder(fonts, ListingKind::FilesAndFolders)) {
    if (Full(catalogue)) return;
    if (style == QStringLiteral("电脑字") || style.contains(',')) continue;
    const QString folder = fonts + style + "/";
    const QStringList files = ListFolder(folder, ListingKind::FilesOnly);
    const QString prefix = files.isEmpty() ? QString() : StylePrefix(files.first());
    catalogue.styleNames << style;
    catalogue.FontPaths << folder + prefix;
  }
}

void AddSingleFaces(Catalogue& catalogue, const QString& fonts) {
  const QString folder = fonts + QStringLiteral("电脑字/");
  catalogue.SingleFaceNames = QStringLiteral(",");
  for (const QString& file : ListFolder(folder, ListingKind::FilesOnly)) {
    if (Full(catalogue)) return;
    const QString name = SingleFaceDisplayName(file);
    if (name.contains(',')) continue;
    catalogue.styleNames << name;
    catalogue.FontPaths << folder + file;
    catalogue.SingleFaceNames += name + ",";
  }
}

void AddBackgrounds(Catalogue& catalogue, const QString& images) {
  for (const QString& file : ListFolder(images, ListingKind::FilesOnly)) {
    if (catalogue.BackgroundPaths.size() >= Catalogue::kMaxEntries) return;
    catalogue.backgroundNames << BackgroundDisplayName(file);
    catalogue.BackgroundPaths << images + file;
  }
}

}  // namespace

Catalogue LoadCatalogue(const QString& appPath) {
  Catalogue catalogue;
  AddStyles(catalogue, appPath + "fonts/");
  AddSingleFaces(catalogue, appPath + "fonts/");
  AddBackgrounds(catalogue, appPath + "images/");
  return catalogue;
}

}  // namespace yz
