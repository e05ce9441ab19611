// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/signing_plan.h"

#include <QDir>
#include <QFileInfo>

namespace yz {

QString DefaultSignedPath(const QString& documentPath) {
  const QFileInfo info(documentPath);
  const QString base = info.suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0
                           ? info.completeBaseName()
                           : info.fileName();
  return info.dir().filePath(base + QStringLiteral("-已签.pdf"));
}

QString StampKindName(Stamp::Kind kind) {
  switch (kind) {
    case Stamp::Kind::Seal: return QStringLiteral("印章");
    case Stamp::Kind::Date: return QStringLiteral("日期");
    case Stamp::Kind::Signature: break;
  }
  return QStringLiteral("签名");
}

QString DateText(const QDate& date) {
  return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

}  // namespace yz
