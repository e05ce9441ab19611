// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The signed attributes are written and signed here rather than by CMS_sign, which always adds
// a signingTime that a PAdES baseline signature must not carry (the time belongs in the
// document's /M, or in a timestamp token).

#include "certificates/cms_oids.h"
#include "certificates/der_writer.h"
#include "certificates/openssl_support.h"
#include "certificates/signer.h"
#include "certificates/timestamp_client.h"
#include "seams/failure.h"

namespace yz {

namespace {

// An ECDSA value is two integers whose DER lengths vary with their leading bits; a timestamp
// token's serial number, time and nonce vary too.
constexpr int kSignatureSlack = 64;
constexpr int kTimestampSlack = 1024;

// The signatureAlgorithm a verifier expects for the key in the signer's certificate.
QByteArray SignatureAlgorithm(X509* certificate) {
  const EVP_PKEY* key = X509_get0_pubkey(certificate);
  switch (key == nullptr ? EVP_PKEY_NONE : EVP_PKEY_get_base_id(key)) {
    case EVP_PKEY_RSA:
      return der::Sequence({der::Oid(oid::kRsaEncryption), der::Null()});
    case EVP_PKEY_EC:
      return der::Sequence({der::Oid(oid::kEcdsaWithSha256)});
    default:
      throw Failure(QStringLiteral("证书的密钥类型不能用于签名：只支持 RSA 和 ECDSA（P-256 等）"));
  }
}

}  // namespace

QByteArray MakeCadesSignature(const Signer& signer, const QByteArray& sha256Digest,
                              const TimestampAuthority& authority) {
  ossl::StartProviders();
  if (sha256Digest.size() != 32)
    throw Failure(QStringLiteral("无法签名：文档摘要的长度不对（%1 字节，SHA-256 应为 32）").arg(sha256Digest.size()));
  const std::vector<QByteArray> chain = signer.ChainDer();
  const ossl::Certificate leaf = chain.empty() ? nullptr : ossl::CertificateFromDer(chain.front());
  if (!leaf) throw Failure(QStringLiteral("无法签名：签名者的证书读不出来"));

  const QByteArray sha256 = der::Sequence({der::Oid(oid::kSha256)});
  const QByteArray issuer = ossl::ToDer(X509_get_issuer_name(leaf.get()), i2d_X509_NAME);
  const QByteArray serial = ossl::ToDer(X509_get0_serialNumber(leaf.get()), i2d_ASN1_INTEGER);
  // ESSCertIDv2 with SHA-256, the default hash algorithm, left out as DER wants; the issuer
  // as GeneralNames holding one directoryName.
  const QByteArray certificateId = der::Sequence(
      {der::OctetString(ossl::Sha256(chain.front())),
       der::Sequence({der::Sequence({der::Explicit(4, issuer)}), serial})});
  const auto attribute = [](const char* type, const QByteArray& value) {
    return der::Sequence({der::Oid(type), der::SetOf({value})});
  };
  const QByteArray signedAttributes = der::SetOf({
      attribute(oid::kContentType, der::Oid(oid::kData)),
      attribute(oid::kMessageDigest, der::OctetString(sha256Digest)),
      attribute(oid::kSigningCertificateV2, der::Sequence({der::Sequence({certificateId})})),
  });
  const QByteArray signatureValue = signer.SignSha256(signedAttributes);

  QByteArray signerInfo = der::SmallInteger(1) + der::Sequence({issuer, serial}) + sha256 +
                          der::Implicit(0, signedAttributes) + SignatureAlgorithm(leaf.get()) +
                          der::OctetString(signatureValue);
  if (!authority.url.isEmpty()) {
    const QByteArray token = RequestTimestampToken(authority, signatureValue);
    signerInfo += der::Implicit(1, der::SetOf({attribute(oid::kSignatureTimeStampToken, token)}));
  }
  const QByteArray signedData = der::Sequence({
      der::SmallInteger(1),
      der::SetOf({sha256}),
      der::Sequence({der::Oid(oid::kData)}),
      der::SetOf(chain, 0xa0),
      der::SetOf({der::Tagged(0x30, signerInfo)}),
  });
  return der::Sequence({der::Oid(oid::kSignedData), der::Explicit(0, signedData)});
}

int SignatureRoom(const Signer& signer, const TimestampAuthority& authority) {
  const QByteArray trial = MakeCadesSignature(signer, QByteArray(32, '\0'), authority);
  return int(trial.size()) + kSignatureSlack + (authority.url.isEmpty() ? 0 : kTimestampSlack);
}

}  // namespace yz
