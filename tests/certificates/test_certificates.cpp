// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "certificates/test_certificates.h"

#include <QFile>
#include <QProcess>
#include <map>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509v3.h>
#include <stdexcept>

namespace yz::testing {

namespace {

EVP_PKEY* SharedKey(const QString& type, int bits, bool authority) {
  static std::map<QString, ossl::Key> keys;
  // An authority never shares its key with a signer, or a file could pair the key with either.
  const QString name = type + QString::number(bits) + (authority ? QStringLiteral("CA") : QString());
  ossl::Key& key = keys[name];
  if (!key)
    key.reset(type == QLatin1String("RSA")       ? EVP_PKEY_Q_keygen(nullptr, nullptr, "RSA", size_t(bits))
              : type == QLatin1String("ED25519") ? EVP_PKEY_Q_keygen(nullptr, nullptr, "ED25519")
                                                 : EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", "P-256"));
  if (!key) throw std::runtime_error("key generation failed");
  return key.get();
}

void AddExtension(X509* certificate, X509* issuer, int nid, const QString& value) {
  if (value.isEmpty()) return;
  X509V3_CTX context;
  X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value.toLatin1().constData());
  if (extension == nullptr) throw std::runtime_error("bad extension");
  X509_add_ext(certificate, extension, -1);
  X509_EXTENSION_free(extension);
}

}  // namespace

CertificateOrder AuthorityOrder(const QString& commonName) {
  CertificateOrder order;
  order.commonName = commonName;
  order.keyType = QStringLiteral("RSA");
  order.authority = true;
  order.keyUsage = QStringLiteral("critical,keyCertSign,cRLSign");
  return order;
}

TestCertificate MakeCertificate(const CertificateOrder& order) {
  ossl::StartProviders();
  TestCertificate made;
  EVP_PKEY* key = SharedKey(order.keyType, order.rsaBits, order.authority);
  EVP_PKEY_up_ref(key);
  made.key.reset(key);
  made.certificate.reset(X509_new());
  X509* certificate = made.certificate.get();
  X509_set_version(certificate, 2);
  unsigned char serial[8];
  RAND_bytes(serial, sizeof serial);
  serial[0] &= 0x7f;
  BIGNUM* number = BN_bin2bn(serial, sizeof serial, nullptr);
  BN_to_ASN1_INTEGER(number, X509_get_serialNumber(certificate));
  BN_free(number);
  X509_NAME* name = X509_get_subject_name(certificate);
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8,
                             reinterpret_cast<const unsigned char*>(order.commonName.toUtf8().constData()), -1, -1, 0);
  X509* issuer = order.issuer ? order.issuer->certificate.get() : certificate;
  X509_set_issuer_name(certificate, X509_get_subject_name(issuer));
  ASN1_TIME_set(X509_getm_notBefore(certificate), order.from.toSecsSinceEpoch());
  ASN1_TIME_set(X509_getm_notAfter(certificate), order.to.toSecsSinceEpoch());
  X509_set_pubkey(certificate, key);
  AddExtension(certificate, issuer, NID_basic_constraints,
               order.authority ? QStringLiteral("critical,CA:TRUE") : QStringLiteral("CA:FALSE"));
  AddExtension(certificate, issuer, NID_key_usage, order.keyUsage);
  AddExtension(certificate, issuer, NID_ext_key_usage, order.extendedKeyUsage);
  AddExtension(certificate, issuer, NID_subject_key_identifier, QStringLiteral("hash"));
  EVP_PKEY* signingKey = order.issuer ? order.issuer->key.get() : key;
  // Ed25519 signs the whole certificate itself, with no separate digest.
  const EVP_MD* digest = EVP_PKEY_get_base_id(signingKey) == EVP_PKEY_ED25519 ? nullptr : EVP_sha256();
  if (X509_sign(certificate, signingKey, digest) <= 0) throw std::runtime_error("signing failed");
  return made;
}

void WritePem(const QString& path, const TestCertificate& certificate, bool withKey) {
  ossl::Bio out(BIO_new_file(QFile::encodeName(path).constData(), "w"));
  PEM_write_bio_X509(out.get(), certificate.certificate.get());
  if (withKey) PEM_write_bio_PrivateKey(out.get(), certificate.key.get(), nullptr, nullptr, 0, nullptr, nullptr);
}

void WritePkcs12(const QString& path, const QString& password, const EVP_PKEY* key,
                 const std::vector<const X509*>& certificates) {
  // Bags added one by one, not PKCS12_create, so that a key may sit beside a certificate that
  // is not its own, as a damaged export leaves it.
  const QByteArray secret = password.toUtf8();
  STACK_OF(PKCS12_SAFEBAG)* certificateBags = nullptr;
  STACK_OF(PKCS12_SAFEBAG)* keyBags = nullptr;
  STACK_OF(PKCS7)* safes = nullptr;
  // The key and the first certificate share a local key id and a name, as exports have them.
  unsigned char keyId[EVP_MAX_MD_SIZE];
  unsigned int keyIdLength = 0;
  X509_digest(certificates.front(), EVP_sha1(), keyId, &keyIdLength);
  for (const X509* certificate : certificates) {
    PKCS12_SAFEBAG* bag = PKCS12_add_cert(&certificateBags, const_cast<X509*>(certificate));
    if (key && certificate == certificates.front()) {
      PKCS12_add_localkeyid(bag, keyId, int(keyIdLength));
      PKCS12_add_friendlyname_utf8(bag, "signer", -1);
    }
  }
  PKCS12_add_safe(&safes, certificateBags, NID_aes_256_cbc, 2048, secret.constData());
  if (key) {
    PKCS12_SAFEBAG* bag =
        PKCS12_add_key(&keyBags, const_cast<EVP_PKEY*>(key), 0, 2048, NID_aes_256_cbc, secret.constData());
    PKCS12_add_localkeyid(bag, keyId, int(keyIdLength));
    PKCS12_add_safe(&safes, keyBags, -1, 0, nullptr);
  }
  ossl::Pkcs12 p12(PKCS12_add_safes(safes, 0));
  sk_PKCS12_SAFEBAG_pop_free(certificateBags, PKCS12_SAFEBAG_free);
  sk_PKCS12_SAFEBAG_pop_free(keyBags, PKCS12_SAFEBAG_free);
  sk_PKCS7_pop_free(safes, PKCS7_free);
  if (!p12 || PKCS12_set_mac(p12.get(), secret.constData(), -1, nullptr, 0, 2048, EVP_sha256()) != 1)
    throw std::runtime_error("PKCS#12 assembly failed");
  ossl::Bio out(BIO_new_file(QFile::encodeName(path).constData(), "wb"));
  i2d_PKCS12_bio(out.get(), p12.get());
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) throw std::runtime_error("cannot write");
}

ToolRun RunTool(const QString& program, const QStringList& arguments, const QByteArray& input) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, arguments);
  ToolRun run;
  if (!process.waitForStarted()) return run;
  process.write(input);
  process.closeWriteChannel();
  process.waitForFinished(120000);
  run.output = process.readAll();
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  return run;
}

}  // namespace yz::testing
