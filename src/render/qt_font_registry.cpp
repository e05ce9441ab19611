#include "render/qt_font_registry.h"

#include <QFontDatabase>

#include "render/face_names.h"

namespace yz {

QtFontRegistry::~QtFontRegistry() {
  for (const Entry& entry : std::as_const(entries_))
    if (entry.fontId >= 0) QFontDatabase::removeApplicationFont(entry.fontId);
}

void QtFontRegistry::LoadFontFile(const QString& path) {
  Entry& entry = entries_[path];
  if (entry.count++ > 0) return;
  entry.fontId = QFontDatabase::addApplicationFont(path);
  if (entry.fontId >= 0) entry.families = QFontDatabase::applicationFontFamilies(entry.fontId);
  ++generation_;
}

void QtFontRegistry::UnloadFontFile(const QString& path) {
  const auto it = entries_.find(path);
  if (it == entries_.end()) return;  // never registered: nothing to remove, as the platform does
  if (--it->count > 0) return;
  if (it->fontId >= 0) QFontDatabase::removeApplicationFont(it->fontId);
  entries_.erase(it);
  ++generation_;
}

int QtFontRegistry::RegistrationCount(const QString& path) const {
  return entries_.value(path).count;
}

QStringList QtFontRegistry::FamiliesOf(const QString& path) const {
  return entries_.value(path).families;
}

QString QtFontRegistry::FamilyForFace(const QString& face) const {
  for (const Entry& entry : entries_)
    if (entry.families.contains(face, Qt::CaseInsensitive)) return face;
  for (auto it = entries_.constBegin(); it != entries_.constEnd(); ++it)
    if (!it->families.isEmpty() && (FaceNameOf(it.key()) == face || SingleFaceNameOf(it.key()) == face))
      return it->families.first();
  return face;
}

}  // namespace yz
