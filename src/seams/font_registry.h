// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <utility>

namespace yz {

// Registers font files for this process only while they are drawn with. A face is selectable by
// name exactly while its file is registered; registrations of one path are counted so that
// nested pairs match. A missing or broken file raises nothing.
class FontRegistry {
 public:
  virtual ~FontRegistry() = default;
  virtual void LoadFontFile(const QString& path) = 0;
  virtual void UnloadFontFile(const QString& path) = 0;
};

// Pairs one registration with its removal, also when the step between them fails.
class ScopedFontFile {
 public:
  ScopedFontFile(FontRegistry& registry, QString path) : registry_(registry), path_(std::move(path)) {
    registry_.LoadFontFile(path_);
  }
  ~ScopedFontFile() { registry_.UnloadFontFile(path_); }
  ScopedFontFile(const ScopedFontFile&) = delete;
  ScopedFontFile& operator=(const ScopedFontFile&) = delete;

 private:
  FontRegistry& registry_;
  QString path_;
};

}  // namespace yz
