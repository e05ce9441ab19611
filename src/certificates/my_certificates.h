// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "certificates/signer.h"

// The user's own certificates: made here (创建我的证书) or imported from a PKCS#12 file, kept
// as PKCS#12 files under the user's data folder, each with its certificate beside it as .cer so
// that the list can be shown without a password.
namespace yz {

enum class MyKeyKind { EcdsaP256, Rsa3072 };

struct MyCertificateOrder {
  QString name;          // the common name: the name the signature is made for
  QString email;         // optional
  QString organisation;  // optional
  MyKeyKind key = MyKeyKind::EcdsaP256;
  QString password;      // protects the stored file; must not be empty
};

struct MyCertificate {
  CertificateSummary summary;  // source: the PKCS#12 file
  QString pkcs12Path;
  QString certificatePath;  // the .cer beside it (DER), to send to others
};

// $XDG_DATA_HOME/yanzhou-sign/certificates (~/.local/share/… by default), made owner-only.
QString MyCertificatesFolder();

// A self-signed certificate for the order's name: key usage digitalSignature and
// nonRepudiation (critical), valid three years from now, stored with its key as a PKCS#12
// file (AES-256, SHA-256 MAC) protected by the password, mode 0600, never over an existing
// file. Returns what was stored. Throws Failure (no name, no password, a file not written).
MyCertificate CreateMyCertificate(const MyCertificateOrder& order);

// Copies a PKCS#12 file into the folder once its password opens it and it can sign. Throws
// Failure with OpenPkcs12's reasons, writing nothing.
MyCertificate ImportMyCertificate(const QString& pkcs12Path, const QString& password);

// The certificates in the folder, newest file first.
std::vector<MyCertificate> ListMyCertificates();

// Writes a certificate (DER) as a .cer file for others to trust. Throws Failure.
void ExportCertificate(const QByteArray& certificateDer, const QString& path);

}  // namespace yz
