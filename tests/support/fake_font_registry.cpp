// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/fake_font_registry.h"

namespace yz::test {

void FakeFontRegistry::LoadFontFile(const QString& path) {
  ++counts_[path];
  calls_.append(QStringLiteral("Load ") + path);
  if (journal_) journal_->append(calls_.back());
}

void FakeFontRegistry::UnloadFontFile(const QString& path) {
  calls_.append(QStringLiteral("Unload ") + path);
  if (journal_) journal_->append(calls_.back());
  const auto it = counts_.find(path);
  if (it == counts_.end()) {
    ++unpaired_;
    return;
  }
  if (--*it == 0) counts_.erase(it);
}

}  // namespace yz::test
