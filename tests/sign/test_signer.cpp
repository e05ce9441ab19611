// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/test_signer.h"

#include <QDir>
#include <QFile>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include "seams/failure.h"
#include "sign/signing_fixture.h"

namespace yz::testing {

namespace {

class KeySigner : public Signer {
 public:
  KeySigner(EVP_PKEY* key, X509* cert, QByteArray der, CertificateSummary summary)
      : key_(key), cert_(cert), der_(std::move(der)), summary_(std::move(summary)) {}
  ~KeySigner() override {
    EVP_PKEY_free(key_);
    X509_free(cert_);
  }
  CertificateSummary Summary() const override { return summary_; }
  std::vector<QByteArray> ChainDer() const override { return {der_}; }
  QByteArray SignSha256(const QByteArray& data) const override {
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    size_t length = 0;
    QByteArray signature;
    if (EVP_DigestSignInit(context, nullptr, EVP_sha256(), nullptr, key_) == 1 &&
        EVP_DigestSign(context, nullptr, &length,
                       reinterpret_cast<const unsigned char*>(data.constData()), size_t(data.size())) == 1) {
      signature.resize(qsizetype(length));
      if (EVP_DigestSign(context, reinterpret_cast<unsigned char*>(signature.data()), &length,
                         reinterpret_cast<const unsigned char*>(data.constData()),
                         size_t(data.size())) != 1)
        signature.clear();
      signature.resize(qsizetype(length));
    }
    EVP_MD_CTX_free(context);
    if (signature.isEmpty()) throw Failure(QStringLiteral("测试密钥签名失败"));
    return signature;
  }

 private:
  EVP_PKEY* key_;
  X509* cert_;
  QByteArray der_;
  CertificateSummary summary_;
};

bool WritePem(const QString& path, EVP_PKEY* key, X509* cert) {
  FILE* file = fopen(QFile::encodeName(path).constData(), "w");
  if (!file) return false;
  const bool ok = key ? PEM_write_PrivateKey(file, key, nullptr, nullptr, 0, nullptr, nullptr) == 1
                      : PEM_write_X509(file, cert) == 1;
  return fclose(file) == 0 && ok;
}

X509* SelfSigned(EVP_PKEY* key, const CertificateWish& wish) {
  X509* cert = X509_new();
  X509_set_version(cert, 2);
  ASN1_INTEGER_set(X509_get_serialNumber(cert), 1);
  X509_gmtime_adj(X509_getm_notBefore(cert), long(wish.fromDays) * 86400);
  X509_gmtime_adj(X509_getm_notAfter(cert), long(wish.toDays) * 86400);
  X509_NAME* name = X509_get_subject_name(cert);
  const QByteArray cn = wish.name.toUtf8();
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8,
                             reinterpret_cast<const unsigned char*>(cn.constData()), -1, -1, 0);
  X509_set_issuer_name(cert, name);
  X509_set_pubkey(cert, key);
  if (!wish.keyUsage.isEmpty()) {
    X509V3_CTX context;
    X509V3_set_ctx(&context, cert, cert, nullptr, nullptr, 0);
    X509_EXTENSION* usage =
        X509V3_EXT_conf_nid(nullptr, &context, NID_key_usage, wish.keyUsage.toLatin1().constData());
    X509_add_ext(cert, usage, -1);
    X509_EXTENSION_free(usage);
  }
  X509_sign(cert, key, EVP_sha256());
  return cert;
}

}  // namespace

TestCertificate MakeTestCertificate(const QString& folder, const CertificateWish& wish) {
  TestCertificate made;
  static int serial = 0;
  const QString stem = QDir(folder).filePath(QStringLiteral("cert%1").arg(++serial));
  made.key = stem + QStringLiteral(".key");
  made.cert = stem + QStringLiteral(".pem");
  made.p12 = stem + QStringLiteral(".p12");
  EVP_PKEY* key = wish.rsa ? EVP_PKEY_Q_keygen(nullptr, nullptr, "RSA", size_t(2048))
                           : EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", "P-256");
  if (!key) return made;
  X509* cert = SelfSigned(key, wish);
  int status = -1;
  if (WritePem(made.key, key, nullptr) && WritePem(made.cert, nullptr, cert))
    ToolOutput(QStringLiteral("openssl"),
               {QStringLiteral("pkcs12"), QStringLiteral("-export"), QStringLiteral("-inkey"), made.key,
                QStringLiteral("-in"), made.cert, QStringLiteral("-name"), wish.name,
                QStringLiteral("-out"), made.p12, QStringLiteral("-passout"),
                QStringLiteral("pass:") + QString::fromUtf8(kP12Password)},
               &status);
  unsigned char* der = nullptr;
  const int length = i2d_X509(cert, &der);
  const QByteArray bytes(reinterpret_cast<const char*>(der), length);
  OPENSSL_free(der);
  CertificateSummary summary;
  summary.subject = summary.issuer = wish.name;
  summary.source = made.p12;
  if (status == 0) made.signer = std::make_shared<KeySigner>(key, cert, bytes, summary);
  else {
    EVP_PKEY_free(key);
    X509_free(cert);
  }
  return made;
}

}  // namespace yz::testing
