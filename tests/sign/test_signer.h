// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <memory>

#include "certificates/signer.h"

namespace yz::testing {

// A key and a self-signed certificate written as files the renderer, poppler and openssl can
// use too, and a Signer holding the key in memory.
struct TestCertificate {
  QString key;   // PEM, no password
  QString cert;  // PEM
  QString p12;   // PKCS#12 of both, password kP12Password
  std::shared_ptr<const Signer> signer;  // empty when it could not be made
};
inline constexpr char kP12Password[] = "口令-secret";

struct CertificateWish {
  QString name = QStringLiteral("测试签名人");
  bool rsa = false;        // RSA 2048, else ECDSA P-256
  int fromDays = -1;       // validity, in days from now
  int toDays = 30;
  QString keyUsage;        // e.g. "critical,keyEncipherment"; empty: no keyUsage extension
};

TestCertificate MakeTestCertificate(const QString& folder, const CertificateWish& wish = {});

}  // namespace yz::testing
