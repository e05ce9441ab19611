// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/split_signature_name.h"

#include "render/name_characters.h"

namespace yz {
namespace {

const QString kEnglishMarker = QStringLiteral("英文签");

QString Joined(const QStringList& characters, qsizetype from, qsizetype count = -1) {
  return characters.mid(from, count).join(QString());
}

// The last character is the last part and the rest between is the middle; both empty for none.
void CutGivenName(const QStringList& characters, qsizetype from, SignatureParts& parts) {
  if (from >= characters.size()) return;
  parts.last = characters.last();
  parts.middle = Joined(characters, from, characters.size() - 1 - from);
}

SignatureParts SplitChinese(const QString& compoundSurnames, const QString& name) {
  SignatureParts parts;
  if (name.isEmpty()) {
    parts.draw = false;
    return parts;
  }
  const QStringList characters = NameCharacters(name);
  const QString surname = Joined(characters, 0, 2);  // one character when the name has only one
  if (compoundSurnames.contains(u' ' + surname + u'-')) {
    // The entry reads " XY-Z": the substitute lies four places after the first occurrence of XY,
    // wherever that occurrence is.
    const qsizetype at = compoundSurnames.indexOf(surname) + 4;
    if (at < compoundSurnames.size()) parts.first = compoundSurnames.mid(at, 1);
    CutGivenName(characters, 2, parts);
  } else {
    parts.first = characters.first();
    CutGivenName(characters, 1, parts);
  }
  return parts;
}

SignatureParts SplitLatin(const QString& name) {
  SignatureParts parts;
  const QStringList characters = NameCharacters(name);
  if (characters.isEmpty()) return parts;
  parts.first = characters.first();
  CutGivenName(characters, 1, parts);
  return parts;
}

}  // namespace

SignatureParts SplitSignatureName(const QString& styleName, const QString& singleFaceNames,
                                  const QString& compoundSurnames, const QString& chineseName,
                                  const QString& latinName) {
  const bool english = styleName.contains(kEnglishMarker);
  const bool singleFace = singleFaceNames.contains(u',' + styleName + u',');
  if (!singleFace && !english) return SplitChinese(compoundSurnames, chineseName);
  if (english) return SplitLatin(latinName);
  return {};  // a single-face style reached without its ".dat": nothing to draw
}

}  // namespace yz
