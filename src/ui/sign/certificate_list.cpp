// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sign/certificate_list.h"

#include <QDir>
#include <QFileInfo>
#include <atomic>

#include "certificates/my_certificates.h"
#include "certificates/nss_databases.h"
#include "seams/failure.h"
#include "ui/sign/nss_prompt.h"

namespace yz {

QString SigningCertificate::Key() const {
  return kind == Kind::OwnFile ? QStringLiteral("file:") + pkcs12Path
                               : QStringLiteral("nss:%1|%2").arg(database, nickname);
}

QString SigningCertificate::Label() const {
  if (kind == Kind::OwnFile) return QStringLiteral("%1（我的证书）").arg(summary.subject);
  return QStringLiteral("%1（%2）").arg(summary.subject, QFileInfo(database).fileName());
}

QString SigningCertificate::Details() const {
  const QString format = QStringLiteral("yyyy-MM-dd");
  QString where = kind == Kind::OwnFile ? pkcs12Path : QStringLiteral("%1（%2）").arg(database, nickname);
  if (const QString home = QDir::homePath(); where.startsWith(home)) where = QStringLiteral("~") + where.mid(home.size());
  return QStringLiteral("%1\n颁发者：%2\n有效期：%3 至 %4\n位置：%5")
      .arg(summary.subject, summary.issuer, summary.validFrom.toUTC().toString(format),
           summary.validTo.toUTC().toString(format), where);
}

FoundCertificates FindSigningCertificates(const QStringList& unlock) {
  FoundCertificates found;
  for (const MyCertificate& own : ListMyCertificates()) {
    SigningCertificate certificate;
    certificate.summary = own.summary;
    certificate.pkcs12Path = own.pkcs12Path;
    certificate.certificatePath = own.certificatePath;
    found.certificates.push_back(certificate);
  }
  for (const QString& database : FindNssDatabases()) {
    // Listing needs the database's password only when it has one: asked for later, by choice.
    std::atomic<bool> asked = false;
    const bool mayAsk = unlock.contains(database);
    if (!mayAsk)
      SetNssPasswordPrompt([&asked](const QString&, bool) -> std::optional<QString> {
        asked = true;
        return std::nullopt;
      });
    try {
      for (const NssCertificate& listed : ListNssSigningCertificates(database)) {
        SigningCertificate certificate;
        certificate.kind = SigningCertificate::Kind::NssDatabase;
        certificate.summary = listed.summary;
        certificate.database = listed.database;
        certificate.nickname = listed.nickname;
        found.certificates.push_back(certificate);
      }
    } catch (const Failure& failure) {
      if (asked) found.lockedDatabases << database;
      else found.problems << failure.message();
    }
    if (!mayAsk) UseWindowNssPrompt();
  }
  return found;
}

}  // namespace yz
