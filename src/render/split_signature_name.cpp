#include "render/split_signature_name.h"

namespace yz {
namespace {

const QString kEnglishMarker = QStringLiteral("英文签");

// The last unit is the last part and the rest between is the middle; both empty for no text.
void CutGivenName(const QString& given, SignatureParts& parts) {
  if (given.isEmpty()) return;
  parts.last = given.right(1);
  parts.middle = given.left(given.size() - 1);
}

SignatureParts SplitChinese(const QString& compoundSurnames, const QString& name) {
  SignatureParts parts;
  if (name.isEmpty()) {
    parts.draw = false;
    return parts;
  }
  const QString surname = name.left(2);  // one unit when the name has only one
  if (compoundSurnames.contains(u' ' + surname + u'-')) {
    // The entry reads " XY-Z": the substitute lies four places after the first occurrence of XY,
    // wherever that occurrence is.
    const qsizetype at = compoundSurnames.indexOf(surname) + 4;
    if (at < compoundSurnames.size()) parts.first = compoundSurnames.mid(at, 1);
    CutGivenName(name.mid(2), parts);
  } else {
    parts.first = name.left(1);
    CutGivenName(name.mid(1), parts);
  }
  return parts;
}

SignatureParts SplitLatin(const QString& name) {
  SignatureParts parts;
  parts.first = name.left(1);
  if (name.size() >= 3) parts.middle = name.mid(1, name.size() - 2);
  if (name.size() >= 2) parts.last = name.right(1);
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
