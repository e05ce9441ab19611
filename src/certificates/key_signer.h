// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

#include "certificates/openssl_support.h"
#include "certificates/signer.h"

namespace yz {

// A private key held in memory (from a PKCS#12 file, or one just made) with its chain.
class KeySigner : public Signer {
 public:
  // `chain` starts with the key's own certificate.
  KeySigner(ossl::Key key, std::vector<ossl::Certificate> chain, QString source);
  CertificateSummary Summary() const override;
  std::vector<QByteArray> ChainDer() const override;
  QByteArray SignSha256(const QByteArray& data) const override;

 private:
  ossl::Key key_;
  std::vector<ossl::Certificate> chain_;
  QString source_;
};

}  // namespace yz
