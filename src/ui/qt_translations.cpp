// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace yz {

bool InstallChineseQtTranslations(QCoreApplication& application) {
  const QLocale chinese(QLocale::Chinese, QLocale::China);
  auto* translator = new QTranslator(&application);
  // qt_zh_CN names Qt's module catalogues (qtbase_zh_CN and the rest) and loads them with it.
  if (!translator->load(chinese, QStringLiteral("qt"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  // Dates and sizes in the file dialog follow the same language as its words.
  QLocale::setDefault(chinese);
  return true;
}

}  // namespace yz
