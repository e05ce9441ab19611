// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "certificates/signer.h"

// The certificate databases the desktop's programs share (NSS): the system-wide one in
// ~/.pki/nssdb and those of the mail and web browser profiles. NSS starts once per process:
// the first database opened starts it, every later one is added beside it; other users of NSS
// in the process (poppler's signature checks) share that start.
namespace yz {

// A certificate whose private key is in an NSS database, as the certificate list shows it.
struct NssCertificate {
  CertificateSummary summary;  // source: the database folder and the nickname
  QString database;            // the database's folder
  QString nickname;            // the name to open it by (OpenNssSigner)
};

// Asked when a database wants its password: the database's token name, and whether the last
// answer was wrong. Nothing (std::nullopt) gives up, and the step fails with that reason. An
// answer that cannot change (a password file) should give up on a retry.
using NssPasswordPrompt = std::function<std::optional<QString>(const QString& token, bool retry)>;
// Sets the prompt NSS's password callback calls; without one a database with a password stays
// locked.
void SetNssPasswordPrompt(NssPasswordPrompt prompt);

// The desktop's databases that exist, the shared one first, then the web browser's and the
// mail program's profiles (default profiles first).
QStringList FindNssDatabases();

// Opens the database in `folder` (read-only) if it is not open yet. Throws Failure when the
// folder holds no NSS database or NSS cannot open it.
void OpenNssDatabase(const QString& folder);

// The certificates in the database that have their private key there; asks for the database's
// password through the prompt when it has one. Throws Failure.
std::vector<NssCertificate> ListNssSigningCertificates(const QString& folder);

// A signer whose key stays inside the database: each signature is made by NSS. Throws Failure
// (no such certificate, no key for it, a wrong or missing password).
std::unique_ptr<Signer> OpenNssSigner(const QString& folder, const QString& nickname);

// Whether NSS trusts the chain (the signer's certificate first) for signing at `when`, by the
// trust settings of every database opened so far (the shared ~/.pki/nssdb is opened when none
// is yet). `why`, when given, receives NSS's reason for a refusal. Never throws.
bool NssTrustsChain(const std::vector<QByteArray>& chainDer, const QDateTime& when, QString* why = nullptr);

}  // namespace yz
