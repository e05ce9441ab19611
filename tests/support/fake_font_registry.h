// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QStringList>

#include "seams/font_registry.h"

namespace yz::test {

// Counts registrations per path like the real registry, records every call, and, given a
// journal, writes "Load <path>" / "Unload <path>" lines into it.
class FakeFontRegistry : public FontRegistry {
 public:
  explicit FakeFontRegistry(QStringList* journal = nullptr) : journal_(journal) {}

  void LoadFontFile(const QString& path) override;
  void UnloadFontFile(const QString& path) override;

  bool IsRegistered(const QString& path) const { return counts_.value(path) > 0; }
  int RegisteredPathCount() const { return int(counts_.size()); }
  QStringList Calls() const { return calls_; }  // "Load <path>" / "Unload <path>"
  // An Unload of a path that was not registered, which the real platform ignores but which a
  // layout should never do.
  int UnpairedUnloads() const { return unpaired_; }

 private:
  QStringList* journal_;
  QHash<QString, int> counts_;
  QStringList calls_;
  int unpaired_ = 0;
};

}  // namespace yz::test
