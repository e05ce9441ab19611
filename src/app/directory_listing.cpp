#include "app/directory_listing.h"

#include <QDir>
#include <algorithm>

namespace yz {

bool ListsBefore(const QString& a, const QString& b) {
  const QString ua = a.toUpper();
  const QString ub = b.toUpper();
  const int byFold = QString::compare(ua, ub, Qt::CaseSensitive);
  return byFold != 0 ? byFold < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}

QStringList ListFolder(const QString& folder, ListingKind kind) {
  QDir dir(folder);
  if (!dir.exists()) return {};
  const QDir::Filters filters = kind == ListingKind::FilesOnly
                                    ? QDir::Files
                                    : QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot;
  QStringList names = dir.entryList(filters, QDir::Unsorted);
  names.erase(std::remove_if(names.begin(), names.end(),
                             [](const QString& name) {
                               return name.startsWith('.') || name.contains(QChar(0xFFFD));
                             }),
              names.end());
  std::sort(names.begin(), names.end(), ListsBefore);
  return names;
}

}  // namespace yz
