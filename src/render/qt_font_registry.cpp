// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/qt_font_registry.h"

#include <QFileInfo>
#include <QFontDatabase>

#include "render/face_names.h"

namespace yz {

namespace {
// A family that no font provides, so that Qt draws in its substitute face.
const QString kNoSuchFamily = QStringLiteral("yz-unregistered-face");
}  // namespace

QtFontRegistry::QtFontRegistry(Caching caching) : caching_(caching) {
  for (const QString& family : QFontDatabase::families()) systemFamilies_.insert(family.toLower());
}

QtFontRegistry::~QtFontRegistry() {
  for (Entry& entry : entries_) Drop(entry);
}

void QtFontRegistry::Load(const QString& path, Entry& entry) {
  const FileStamp stamp = FileStamp::Of(path);
  if (entry.loaded && entry.stamp == stamp) return;  // the kept parse is still this file
  Drop(entry);
  entry.stamp = stamp;
  entry.loaded = true;
  // Only a regular file is parsed: opening a named pipe would block the window for good.
  if (!stamp.exists || !QFileInfo(path).isFile()) return;
  ++parses_;
  entry.fontId = QFontDatabase::addApplicationFont(path);
  if (entry.fontId < 0) return;
  entry.families = QFontDatabase::applicationFontFamilies(entry.fontId);
  ++fontsVersion_;
}

void QtFontRegistry::Drop(Entry& entry) {
  if (entry.fontId >= 0) {
    QFontDatabase::removeApplicationFont(entry.fontId);
    ++fontsVersion_;
  }
  entry.fontId = -1;
  entry.families.clear();
  entry.loaded = false;
}

void QtFontRegistry::SetCachingEnabled(bool on) {
  caching_ = on ? Caching::KeepParsedFonts : Caching::Naive;
  if (on) return;
  for (auto it = entries_.begin(); it != entries_.end();) {
    if (it->count > 0) {
      ++it;
      continue;
    }
    Drop(*it);
    it = entries_.erase(it);
  }
}

void QtFontRegistry::LoadFontFile(const QString& path) {
  Entry& entry = entries_[path];
  if (entry.count++ > 0) return;
  Load(path, entry);
  ++generation_;
}

void QtFontRegistry::UnloadFontFile(const QString& path) {
  const auto it = entries_.find(path);
  if (it == entries_.end() || it->count == 0) return;  // not registered: nothing to remove
  if (--it->count > 0) return;
  if (caching_ == Caching::Naive) {
    Drop(*it);
    entries_.erase(it);
  }
  ++generation_;
}

int QtFontRegistry::RegistrationCount(const QString& path) const {
  return entries_.value(path).count;
}

int QtFontRegistry::RegisteredPathCount() const {
  int registered = 0;
  for (const Entry& entry : entries_) registered += entry.count > 0 ? 1 : 0;
  return registered;
}

QStringList QtFontRegistry::FamiliesOf(const QString& path) const {
  const Entry entry = entries_.value(path);
  return entry.count > 0 ? entry.families : QStringList();
}

QString QtFontRegistry::FamilyForFace(const QString& face) const {
  bool hidden = false;
  for (auto it = entries_.constBegin(); it != entries_.constEnd(); ++it) {
    if (!it->families.contains(face, Qt::CaseInsensitive)) continue;
    if (it->count > 0) return face;
    hidden = true;
  }
  for (auto it = entries_.constBegin(); it != entries_.constEnd(); ++it)
    if (it->count > 0 && !it->families.isEmpty() &&
        (FaceNameOf(it.key()) == face || SingleFaceNameOf(it.key()) == face))
      return it->families.first();
  if (hidden && !systemFamilies_.contains(face.toLower())) return kNoSuchFamily;
  return face;
}

QString QtFontRegistry::ProviderOf(const QString& family) const {
  for (auto it = entries_.constBegin(); it != entries_.constEnd(); ++it)
    if (it->count > 0 && it->families.contains(family, Qt::CaseInsensitive)) return it.key();
  return {};
}

}  // namespace yz
