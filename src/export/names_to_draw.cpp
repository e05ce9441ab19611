// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "export/names_to_draw.h"

#include <algorithm>

namespace yz {

namespace {

bool NothingToDraw(const QString& name) {
  return std::all_of(name.cbegin(), name.cend(), [](QChar c) {
    return c.isSpace() || c.category() == QChar::Other_Control || c.category() == QChar::Other_Format;
  });
}

// A style directory whose name holds "英文签" draws the Latin-letter name; every other style,
// single faces included, the Chinese one.
bool DrawsLatinName(const Catalogue& catalogue, int style) {
  return catalogue.styleNames.value(style).contains(QStringLiteral("英文签")) &&
         !catalogue.FontPaths.value(style).endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive);
}

}  // namespace

void CheckNamesToDraw(const QList<PlannedPicture>& pictures, const Catalogue& catalogue) {
  for (const PlannedPicture& picture : pictures) {
    const bool latin = DrawsLatinName(catalogue, picture.request.style);
    const QString& name = latin ? picture.request.textEN : picture.request.textCN;
    if (NothingToDraw(name))
      throw BadArguments(QStringLiteral("款式“%1”要画的 %2 是空的或只有空白，没有可画的字：“%3”")
                             .arg(catalogue.styleNames.value(picture.request.style),
                                  latin ? QStringLiteral("--en") : QStringLiteral("--name"), name));
  }
}

}  // namespace yz
