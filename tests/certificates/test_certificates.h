// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

#include "certificates/openssl_support.h"

// Certificates and keys made at run time for the certificate tests, and the openssl tool run
// over what the code under test writes.
namespace yz::testing {

struct TestCertificate {
  ossl::Key key;
  ossl::Certificate certificate;
};

struct CertificateOrder {
  QString commonName = QStringLiteral("测试签名人");
  QString keyType = QStringLiteral("EC");  // "EC" (P-256), "RSA" or "ED25519"
  int rsaBits = 2048;
  QDateTime from = QDateTime::currentDateTimeUtc().addDays(-1);
  QDateTime to = QDateTime::currentDateTimeUtc().addYears(1);
  QString keyUsage = QStringLiteral("critical,digitalSignature,nonRepudiation");  // empty: none
  QString extendedKeyUsage;                                                        // empty: none
  bool authority = false;                     // a CA: basicConstraints CA:TRUE
  const TestCertificate* issuer = nullptr;    // null: self-signed
};

// A root authority (RSA, CA:TRUE, keyCertSign and cRLSign) to issue test signers from.
CertificateOrder AuthorityOrder(const QString& commonName = QStringLiteral("测试根证书"));

// Keys of one type are made once per run and shared (authorities' apart from signers'), to
// keep the suite quick.
TestCertificate MakeCertificate(const CertificateOrder& order);

void WritePem(const QString& path, const TestCertificate& certificate, bool withKey = false);
// A modern PKCS#12 file (AES, SHA-256 MAC) with the key (unless null) and the certificates.
void WritePkcs12(const QString& path, const QString& password, const EVP_PKEY* key,
                 const std::vector<const X509*>& certificates);

void WriteBytes(const QString& path, const QByteArray& bytes);

struct ToolRun {
  int exitCode = -1;
  QByteArray output;  // stdout and stderr together
};
ToolRun RunTool(const QString& program, const QStringList& arguments, const QByteArray& input = {});

}  // namespace yz::testing
