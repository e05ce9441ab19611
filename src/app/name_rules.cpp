// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/name_rules.h"

namespace yz {

namespace {
QString UpToFirstDot(const QString& text) {
  const int dot = text.indexOf('.');
  return dot < 0 ? text : text.left(dot);
}
}  // namespace

QString StylePrefix(const QString& firstFileName) { return firstFileName.left(3); }

QString SingleFaceDisplayName(const QString& fileName) {
  const int paren = fileName.lastIndexOf('(');
  return paren < 0 ? UpToFirstDot(fileName) : fileName.left(paren);
}

QString BackgroundDisplayName(const QString& fileName) {
  const int hyphen = fileName.indexOf('-');
  return UpToFirstDot(hyphen < 0 ? fileName : fileName.mid(hyphen + 1));
}

}  // namespace yz
