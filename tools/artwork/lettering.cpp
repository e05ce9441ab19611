// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lettering.h"

#include <QFontDatabase>
#include <QMap>

namespace art {

namespace {

struct FaceFile {
  Face face;
  const char* path;
};

// Free faces from Debian: LXGW WenKai (SIL OFL 1.1), WenQuanYi Micro Hei (Apache 2.0).
constexpr FaceFile kFiles[] = {
    {Face::KaiBold, "/usr/share/fonts/truetype/lxgw-wenkai/LXGWWenKai-Bold.ttf"},
    {Face::KaiRegular, "/usr/share/fonts/truetype/lxgw-wenkai/LXGWWenKai-Regular.ttf"},
    {Face::Sans, "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"},
};

QMap<Face, QString>& Families() {
  static QMap<Face, QString> families;
  return families;
}

}  // namespace

QString LoadLetteringFaces() {
  for (const FaceFile& file : kFiles) {
    const int id = QFontDatabase::addApplicationFont(QString::fromUtf8(file.path));
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) return QString::fromUtf8(file.path);
    Families()[file.face] = families.first();
  }
  return QString();
}

QFont Lettering(Face face, double pixelSize) {
  QFont font(Families().value(face));
  font.setPixelSize(qRound(pixelSize));
  font.setWeight(face == Face::KaiBold ? QFont::Bold : QFont::Normal);
  font.setStyleStrategy(QFont::PreferAntialias);
  font.setHintingPreference(QFont::PreferVerticalHinting);
  return font;
}

}  // namespace art
