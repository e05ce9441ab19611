// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "certificates/key_signer.h"

#include "certificates/certificate_summary.h"
#include "seams/failure.h"

namespace yz {

KeySigner::KeySigner(ossl::Key key, std::vector<ossl::Certificate> chain, QString source)
    : key_(std::move(key)), chain_(std::move(chain)), source_(std::move(source)) {}

CertificateSummary KeySigner::Summary() const {
  return SummarizeCertificate(chain_.front().get(), source_);
}

std::vector<QByteArray> KeySigner::ChainDer() const {
  std::vector<QByteArray> ders;
  for (const ossl::Certificate& certificate : chain_) ders.push_back(ossl::CertificateDer(certificate.get()));
  return ders;
}

QByteArray KeySigner::SignSha256(const QByteArray& data) const {
  ossl::DigestContext context(EVP_MD_CTX_new());
  size_t length = 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
  // RSA keys sign PKCS#1 v1.5 and EC keys a DER Ecdsa-Sig-Value, OpenSSL's defaults for both.
  if (!context || EVP_DigestSignInit(context.get(), nullptr, EVP_sha256(), nullptr, key_.get()) != 1 ||
      EVP_DigestSign(context.get(), nullptr, &length, bytes, data.size()) != 1)
    throw Failure(QStringLiteral("无法用证书的私钥签名：%1（%2）").arg(source_, ossl::TakeErrors()));
  QByteArray signature(qsizetype(length), '\0');
  if (EVP_DigestSign(context.get(), reinterpret_cast<unsigned char*>(signature.data()), &length,
                     bytes, data.size()) != 1)
    throw Failure(QStringLiteral("无法用证书的私钥签名：%1（%2）").arg(source_, ossl::TakeErrors()));
  signature.truncate(qsizetype(length));
  return signature;
}

}  // namespace yz
