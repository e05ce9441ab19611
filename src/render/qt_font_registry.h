// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include "render/file_stamp.h"
#include "seams/font_registry.h"

namespace yz {

// Font files registered as Qt application fonts for this process. Registrations are counted
// per path: a file becomes selectable on the first registration and stops being selectable on
// the matching last removal. A missing or broken file is counted like any other and simply
// provides no face.
//
// Parsing a CJK font of several megabytes is the dearest step of a redraw, and Qt drops every
// rendered glyph whenever a font is added or removed. So by default a removed file's parsed font
// stays loaded in Qt, hidden: its face is not selectable (FamilyForFace sends it to the
// substitute) until the file is registered again, and it is used again only while the file's
// stamp is unchanged; a changed or deleted file is parsed afresh or provides nothing.
// Caching::Naive adds and removes the file with Qt at every registration, for comparison.
class QtFontRegistry : public FontRegistry {
 public:
  enum class Caching { KeepParsedFonts, Naive };

  explicit QtFontRegistry(Caching caching = Caching::KeepParsedFonts);
  ~QtFontRegistry() override;
  QtFontRegistry(const QtFontRegistry&) = delete;
  QtFontRegistry& operator=(const QtFontRegistry&) = delete;

  // Off drops every hidden font and from then on behaves as Caching::Naive.
  void SetCachingEnabled(bool on);

  void LoadFontFile(const QString& path) override;
  void UnloadFontFile(const QString& path) override;

  int RegistrationCount(const QString& path) const;
  int RegisteredPathCount() const;
  // Changes whenever the set of selectable faces changes, so that a canvas knows when a face it
  // resolved earlier has to be looked up again.
  quint64 Generation() const { return generation_; }
  // How often a file was parsed: fonts Qt was asked to load.
  int ParseCount() const { return parses_; }
  // Changes whenever Qt gains or loses a parsed font, so that anything drawn earlier with a
  // family may have to be drawn afresh. Registering and removing kept fonts leaves it alone.
  quint64 FontsVersion() const { return fontsVersion_; }
  // The registered file that provides `family`, or empty when a system font or the substitute
  // draws it.
  QString ProviderOf(const QString& family) const;

  // The families a registered file provides; empty when it is not registered or not a font.
  QStringList FamiliesOf(const QString& path) const;
  // The family the canvas asks Qt for when `face` is chosen. A face that a registered file
  // provides is itself; a face named by a registered file's name ("abc1.dat", "草书(ABC).dat")
  // whose font carries another internal name means that font's family, for as long as the file
  // is registered. A face only a hidden (unregistered) font provides is sent to the substitute.
  // Anything else is left to Qt: a system font of that name, or a substitute.
  QString FamilyForFace(const QString& face) const;

 private:
  struct Entry {
    int count = 0;
    bool loaded = false;  // Qt was asked to load this file as it is stamped
    int fontId = -1;      // -1: nothing Qt could load
    QStringList families;
    FileStamp stamp;
  };
  void Load(const QString& path, Entry& entry);
  void Drop(Entry& entry);

  Caching caching_;
  QHash<QString, Entry> entries_;
  QSet<QString> systemFamilies_;  // lower case, as Qt matches families
  quint64 generation_ = 0;
  quint64 fontsVersion_ = 0;
  int parses_ = 0;
};

}  // namespace yz
