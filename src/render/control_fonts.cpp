// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/control_fonts.h"

#include <QGuiApplication>
#include <QFont>
#include <QFontDatabase>

namespace yz {

QList<ControlFontChoice> ControlFontSubstitutes() {
  return {
      // A Song/Ming face for the lists, as the window's layout expects.
      {QStringLiteral("宋体"),
       {QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("WenQuanYi Micro Hei")}},
      {QStringLiteral("SimSun"),
       {QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC")}},
      // Liberation Mono has Courier New's metrics, so the name boxes keep their proportions; a
      // CJK face behind it draws the Chinese name typed into them.
      {QStringLiteral("Courier New"),
       {QStringLiteral("Liberation Mono"), QStringLiteral("WenQuanYi Micro Hei Mono"),
        QStringLiteral("WenQuanYi Micro Hei")}},
  };
}

QStringList DialogFontFamilies() {
  return {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
          QStringLiteral("WenQuanYi Zen Hei")};
}

void InstallControlFontSubstitutes() {
  for (const ControlFontChoice& choice : ControlFontSubstitutes()) {
    QFont::insertSubstitutions(choice.requested, choice.installed);
  }
  const QStringList installed = QFontDatabase::families();
  for (const QString& family : DialogFontFamilies()) {
    if (installed.contains(family)) {
      QFont font = QGuiApplication::font();
      font.setFamilies({family});
      QGuiApplication::setFont(font);
      break;
    }
  }
}

}  // namespace yz
