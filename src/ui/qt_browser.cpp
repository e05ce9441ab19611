// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt_browser.h"

#include <QDesktopServices>
#include <QUrl>

namespace yz {

void QtBrowser::Open(const QString& url) { QDesktopServices::openUrl(QUrl(url)); }

}  // namespace yz
