// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/directory_listing.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace yz {

namespace {

// The original file system upper-cases each 16-bit unit on its own (simple case mapping, so "ß"
// stays "ß" rather than becoming "SS") and compares the units.
QString UpperUnits(const QString& name) {
  QString upper = name;
  for (QChar& unit : upper) unit = unit.toUpper();
  return upper;
}

// Names are decoded from UTF-8 with U+FFFD for bytes that are not; such a name leads nowhere
// when used as a path again. A name that truly holds U+FFFD still does.
bool IsAddressable(const QDir& dir, const QString& name) {
  return !name.contains(QChar(0xFFFD)) || QFileInfo::exists(dir.filePath(name));
}

}  // namespace

bool ListsBefore(const QString& a, const QString& b) {
  const QString ua = UpperUnits(a);
  const QString ub = UpperUnits(b);
  const int byFold = QString::compare(ua, ub, Qt::CaseSensitive);
  return byFold != 0 ? byFold < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}

QStringList ListFolder(const QString& folder, ListingKind kind) {
  QDir dir(folder);
  if (!dir.exists()) return {};
  const QDir::Filters filters = kind == ListingKind::FilesOnly
                                    ? QDir::Files
                                    : QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot;
  QStringList names = dir.entryList(filters, QDir::Unsorted);
  names.erase(std::remove_if(names.begin(), names.end(),
                             [&dir](const QString& name) {
                               return name.startsWith('.') || !IsAddressable(dir, name);
                             }),
              names.end());
  std::sort(names.begin(), names.end(), ListsBefore);
  return names;
}

}  // namespace yz
