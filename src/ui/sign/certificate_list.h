// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "certificates/signer.h"

namespace yz {

// A certificate with its key that the signing window can sign with: one of the user's own
// PKCS#12 files (made or imported here), or one inside a desktop NSS database.
struct SigningCertificate {
  enum class Kind { OwnFile, NssDatabase };
  Kind kind = Kind::OwnFile;
  CertificateSummary summary;
  QString pkcs12Path;       // OwnFile
  QString certificatePath;  // OwnFile: the .cer beside it, empty when lost
  QString database;         // NssDatabase: its folder
  QString nickname;         // NssDatabase

  // How the settings remember the choice: the file, or the database and nickname.
  QString Key() const;
  // What the list shows: the name and where it lives, in a few words.
  QString Label() const;
  // Its tooltip: the name, issuer, validity and the file or database.
  QString Details() const;
};

struct FoundCertificates {
  std::vector<SigningCertificate> certificates;  // own files first, then the databases'
  QStringList lockedDatabases;  // databases with a password, not listed until it is given
  QStringList problems;         // databases that could not be read, with the reason
};

// The user's own certificates and those of the desktop's NSS databases. A database with a
// password is never asked for it here (the list is made when the window opens): it is named
// in `lockedDatabases` instead, unless it is in `unlock`, whose passwords are asked through the
// NSS prompt in force.
FoundCertificates FindSigningCertificates(const QStringList& unlock = {});

}  // namespace yz
