#include "ui/qt_browser.h"

#include <QDesktopServices>
#include <QUrl>

namespace yz {

void QtBrowser::Open(const QString& url) { QDesktopServices::openUrl(QUrl(url)); }

}  // namespace yz
