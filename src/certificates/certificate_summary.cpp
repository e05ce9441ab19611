// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "certificates/certificate_summary.h"

#include <openssl/x509v3.h>

#include "certificates/openssl_support.h"

namespace yz {

namespace {

QString NameText(const X509_NAME* name) {
  if (name == nullptr) return {};
  const int index = X509_NAME_get_index_by_NID(name, NID_commonName, -1);
  if (index >= 0) {
    const ASN1_STRING* value = X509_NAME_ENTRY_get_data(X509_NAME_get_entry(name, index));
    unsigned char* utf8 = nullptr;
    const int length = ASN1_STRING_to_UTF8(&utf8, value);
    const QString text = length >= 0 ? QString::fromUtf8(reinterpret_cast<const char*>(utf8), length) : QString();
    OPENSSL_free(utf8);
    if (!text.trimmed().isEmpty()) return text;
  }
  // No common name: the whole name, one line, as RFC 2253 writes it but in UTF-8.
  ossl::Bio out(BIO_new(BIO_s_mem()));
  X509_NAME_print_ex(out.get(), name, 0, XN_FLAG_RFC2253 & ~ASN1_STRFLGS_ESC_MSB);
  char* data = nullptr;
  const long length = BIO_get_mem_data(out.get(), &data);
  return QString::fromUtf8(data, int(length));
}

struct UsageBit {
  int bit;
  const char* name;
};
constexpr UsageBit kUsageBits[] = {
    {KU_DIGITAL_SIGNATURE, "digitalSignature"}, {KU_NON_REPUDIATION, "nonRepudiation"},
    {KU_KEY_ENCIPHERMENT, "keyEncipherment"},   {KU_DATA_ENCIPHERMENT, "dataEncipherment"},
    {KU_KEY_AGREEMENT, "keyAgreement"},         {KU_KEY_CERT_SIGN, "keyCertSign"},
    {KU_CRL_SIGN, "cRLSign"},                   {KU_ENCIPHER_ONLY, "encipherOnly"},
    {KU_DECIPHER_ONLY, "decipherOnly"},
};

}  // namespace

CertificateSummary SummarizeCertificate(const X509* certificate, const QString& source) {
  CertificateSummary summary;
  summary.source = source;
  if (certificate == nullptr) return summary;
  summary.subject = NameText(X509_get_subject_name(certificate));
  summary.issuer = NameText(X509_get_issuer_name(certificate));
  summary.validFrom = ossl::ToDateTime(X509_get0_notBefore(certificate));
  summary.validTo = ossl::ToDateTime(X509_get0_notAfter(certificate));
  // X509_get_key_usage caches the extensions inside the certificate, hence the cast.
  auto* mutableCertificate = const_cast<X509*>(certificate);
  const uint32_t usage = X509_get_key_usage(mutableCertificate);
  summary.hasKeyUsage = (X509_get_extension_flags(mutableCertificate) & EXFLAG_KUSAGE) != 0;
  if (summary.hasKeyUsage) {
    for (const UsageBit& bit : kUsageBits)
      if (usage & bit.bit) summary.keyUsage << QString::fromLatin1(bit.name);
  }
  return summary;
}

CertificateSummary SummarizeCertificateDer(const QByteArray& der, const QString& source) {
  const ossl::Certificate certificate = ossl::CertificateFromDer(der);
  return SummarizeCertificate(certificate.get(), source);
}

QString CertificateProblem(const CertificateSummary& certificate, const QDateTime& when) {
  const QString format = QStringLiteral("yyyy-MM-dd HH:mm 'UTC'");
  const QDateTime at = when.toUTC();
  if (certificate.validTo.isValid() && at > certificate.validTo)
    return QStringLiteral("证书“%1”已过期：有效期到 %2 为止")
        .arg(certificate.subject, certificate.validTo.toUTC().toString(format));
  if (certificate.validFrom.isValid() && at < certificate.validFrom)
    return QStringLiteral("证书“%1”尚未生效：有效期从 %2 开始")
        .arg(certificate.subject, certificate.validFrom.toUTC().toString(format));
  return KeyUsageProblem(certificate);
}

QString KeyUsageProblem(const CertificateSummary& certificate) {
  const bool maySign = certificate.keyUsage.contains(QStringLiteral("digitalSignature")) ||
                       certificate.keyUsage.contains(QStringLiteral("nonRepudiation"));
  if (!certificate.hasKeyUsage || maySign) return {};
  return QStringLiteral("证书“%1”的密钥用法（%2）不允许签名：需要 digitalSignature 或 nonRepudiation")
      .arg(certificate.subject, certificate.keyUsage.isEmpty() ? QStringLiteral("无")
                                                               : certificate.keyUsage.join(QStringLiteral(", ")));
}

}  // namespace yz
