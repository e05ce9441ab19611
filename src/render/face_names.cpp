// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/face_names.h"

namespace yz {

QString FaceNameOf(const QString& fontFile) {
  const QString fileName = fontFile.mid(fontFile.lastIndexOf(u'/') + 1);
  const int dot = fileName.indexOf(u'.');
  return dot < 0 ? fileName : fileName.left(dot);
}

QString SingleFaceNameOf(const QString& fontPath) {
  const int start = fontPath.lastIndexOf(u'(') + 1;  // 0 when there is none
  const int end = fontPath.indexOf(u')', start);
  return end < 0 ? fontPath.mid(start) : fontPath.mid(start, end - start);
}

}  // namespace yz
