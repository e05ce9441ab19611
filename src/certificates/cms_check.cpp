// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <openssl/err.h>

#include "certificates/certificate_summary.h"
#include "certificates/openssl_support.h"
#include "certificates/signer.h"
#include "certificates/timestamp_client.h"

namespace yz {

namespace {

using Verdict = CmsCheck::Verdict;

CmsCheck Unverifiable(CmsCheck check, const QString& reason) {
  check.verdict = Verdict::Unverifiable;
  check.reason = reason;
  return check;
}

QByteArray OctetBytes(const ASN1_OCTET_STRING* octets) {
  if (octets == nullptr) return {};
  return QByteArray(reinterpret_cast<const char*>(ASN1_STRING_get0_data(octets)), ASN1_STRING_length(octets));
}

QDateTime TokenTime(CMS_SignerInfo* signerInfo) {
  const int index = CMS_unsigned_get_attr_by_NID(signerInfo, NID_id_smime_aa_timeStampToken, -1);
  X509_ATTRIBUTE* attribute = index >= 0 ? CMS_unsigned_get_attr(signerInfo, index) : nullptr;
  const ASN1_TYPE* value = attribute ? X509_ATTRIBUTE_get0_type(attribute, 0) : nullptr;
  if (value == nullptr || value->type != V_ASN1_SEQUENCE) return {};
  return TimestampTokenTime(OctetBytes(value->value.sequence), OctetBytes(CMS_SignerInfo_get0_signature(signerInfo)));
}

QDateTime SigningTime(CMS_SignerInfo* signerInfo) {
  const int index = CMS_signed_get_attr_by_NID(signerInfo, NID_pkcs9_signingTime, -1);
  X509_ATTRIBUTE* attribute = index >= 0 ? CMS_signed_get_attr(signerInfo, index) : nullptr;
  const ASN1_TYPE* value = attribute ? X509_ATTRIBUTE_get0_type(attribute, 0) : nullptr;
  if (value == nullptr || (value->type != V_ASN1_UTCTIME && value->type != V_ASN1_GENERALIZEDTIME)) return {};
  return ossl::ToDateTime(value->value.utctime);
}

CmsCheck Check(const QByteArray& cmsDer, const QByteArray& sha256Digest) {
  CmsCheck check;
  if (cmsDer.isEmpty()) return Unverifiable(check, QStringLiteral("签名是空的"));
  const auto* cursor = reinterpret_cast<const unsigned char*>(cmsDer.constData());
  const ossl::Cms cms(d2i_CMS_ContentInfo(nullptr, &cursor, cmsDer.size()));
  if (!cms) return Unverifiable(check, QStringLiteral("签名数据已损坏，读不出来（不是 CMS）"));
  if (OBJ_obj2nid(CMS_get0_type(cms.get())) != NID_pkcs7_signed)
    return Unverifiable(check, QStringLiteral("签名数据不是 CMS SignedData"));
  STACK_OF(CMS_SignerInfo)* signerInfos = CMS_get0_SignerInfos(cms.get());
  if (signerInfos == nullptr || sk_CMS_SignerInfo_num(signerInfos) != 1)
    return Unverifiable(check, QStringLiteral("签名数据里签名者的个数不是一个"));
  CMS_SignerInfo* signerInfo = sk_CMS_SignerInfo_value(signerInfos, 0);

  const ossl::Certificates certificates(CMS_get1_certs(cms.get()));
  X509* signerCertificate = nullptr;
  for (int i = 0; certificates && i < sk_X509_num(certificates.get()); ++i) {
    if (CMS_SignerInfo_cert_cmp(signerInfo, sk_X509_value(certificates.get(), i)) == 0)
      signerCertificate = sk_X509_value(certificates.get(), i);
  }
  if (signerCertificate == nullptr)
    return Unverifiable(check, QStringLiteral("签名里没有签名者的证书"));
  check.signer = SummarizeCertificate(signerCertificate);
  for (X509* member : ossl::OrderChain(signerCertificate, certificates.get()))
    check.chain.push_back(ossl::CertificateDer(member));
  check.timestamp = TokenTime(signerInfo);
  check.signingTime = SigningTime(signerInfo);

  X509_ALGOR* digestAlgorithm = nullptr;
  CMS_SignerInfo_get0_algs(signerInfo, nullptr, nullptr, &digestAlgorithm, nullptr);
  if (digestAlgorithm == nullptr || OBJ_obj2nid(digestAlgorithm->algorithm) != NID_sha256)
    return Unverifiable(check, QStringLiteral("签名的摘要算法不是 SHA-256，无法核对"));
  if (CMS_signed_get_attr_count(signerInfo) <= 0)
    return Unverifiable(check, QStringLiteral("签名没有签名属性，无法核对"));
  const auto* messageDigest = static_cast<const ASN1_OCTET_STRING*>(CMS_signed_get0_data_by_OBJ(
      signerInfo, OBJ_nid2obj(NID_pkcs9_messageDigest), -3, V_ASN1_OCTET_STRING));
  if (messageDigest == nullptr)
    return Unverifiable(check, QStringLiteral("签名里没有文档摘要（messageDigest），无法核对"));
  if (OctetBytes(messageDigest) != sha256Digest) {
    check.verdict = Verdict::Altered;
    check.reason = QStringLiteral("签名后文档已被修改：签名范围内的内容与签名时的摘要不符");
    return check;
  }
  CMS_SignerInfo_set1_signer_cert(signerInfo, signerCertificate);
  // 1: verified; 0: the value does not match the attributes; below 0: it could not be tried
  // (an unknown algorithm, a key OpenSSL cannot use).
  const int verified = CMS_SignerInfo_verify(signerInfo);
  if (verified == 1) {
    check.verdict = Verdict::Intact;
    return check;
  }
  const QString detail = ossl::TakeErrors();
  if (verified == 0) {
    check.verdict = Verdict::Altered;
    check.reason = QStringLiteral("签名已被改动：签名值与签名属性不符");
    return check;
  }
  return Unverifiable(check, QStringLiteral("签名的算法无法核对（%1）").arg(detail));
}

}  // namespace

CmsCheck CheckCmsSignature(const QByteArray& cmsDer, const QByteArray& sha256Digest) {
  ossl::StartProviders();
  CmsCheck check;
  try {
    check = Check(cmsDer, sha256Digest);
  } catch (...) {
    // Only an allocation can throw on the way; the verdict stays Unverifiable.
    check.reason = QStringLiteral("签名无法核对（内存不足）");
  }
  ERR_clear_error();
  return check;
}

}  // namespace yz
