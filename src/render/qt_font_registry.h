#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include "seams/font_registry.h"

namespace yz {

// Font files registered as Qt application fonts for this process. Registrations are counted
// per path: the file is added on the first and removed on the matching last unregistration.
// A missing or broken file is counted like any other and simply provides no face.
class QtFontRegistry : public FontRegistry {
 public:
  QtFontRegistry() = default;
  ~QtFontRegistry() override;
  QtFontRegistry(const QtFontRegistry&) = delete;
  QtFontRegistry& operator=(const QtFontRegistry&) = delete;

  void LoadFontFile(const QString& path) override;
  void UnloadFontFile(const QString& path) override;

  int RegistrationCount(const QString& path) const;
  int RegisteredPathCount() const { return int(entries_.size()); }
  // Changes whenever the set of selectable faces changes, so that a canvas knows when a face it
  // resolved earlier has to be looked up again.
  quint64 Generation() const { return generation_; }

  // The families a registered file provides; empty when it is not registered or not a font.
  QStringList FamiliesOf(const QString& path) const;
  // The family the canvas asks Qt for when `face` is chosen. A face that a registered file
  // provides is itself; a face named by a registered file's name ("abc1.dat", "草书(ABC).dat")
  // whose font carries another internal name means that font's family, for as long as the file
  // is registered. Anything else is left to Qt: a system font of that name, or a substitute.
  QString FamilyForFace(const QString& face) const;

 private:
  struct Entry {
    int count = 0;
    int fontId = -1;  // -1: nothing Qt could load
    QStringList families;
  };
  QHash<QString, Entry> entries_;
  quint64 generation_ = 0;
};

}  // namespace yz
