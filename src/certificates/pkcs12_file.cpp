// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "certificates/pkcs12_file.h"

#include <QFile>
#include <QFileInfo>

#include "certificates/key_signer.h"
#include "certificates/openssl_support.h"
#include "seams/failure.h"

namespace yz {

namespace {

// A key and a chain are a few kilobytes; anything far larger is not a certificate file.
constexpr qint64 kLargestFile = 16 * 1024 * 1024;

ossl::Pkcs12 ParsePkcs12(const QByteArray& bytes) {
  const auto* cursor = reinterpret_cast<const unsigned char*>(bytes.constData());
  return ossl::Pkcs12(d2i_PKCS12(nullptr, &cursor, bytes.size()));
}

// The password as OpenSSL wants it, or the error a wrong one gives. An empty password may
// have been stored either as no password or as an empty one; both are tried, as openssl does.
bool PasswordOpens(PKCS12* p12, const QByteArray& secret, const char** chosen) {
  if (!PKCS12_mac_present(p12)) {
    *chosen = secret.constData();
    return true;  // nothing to check it against here: decrypting the bags will tell
  }
  if (PKCS12_verify_mac(p12, secret.constData(), int(secret.size())) == 1) {
    *chosen = secret.constData();
    return true;
  }
  if (secret.isEmpty() && PKCS12_verify_mac(p12, nullptr, 0) == 1) {
    *chosen = nullptr;
    return true;
  }
  return false;
}

}  // namespace

QByteArray ReadPkcs12File(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) throw Failure(QStringLiteral("找不到证书文件：%1").arg(path));
  if (!info.isFile())
    throw Failure(QStringLiteral("“%1”不是普通文件（文件夹、管道或设备），不能当作证书打开").arg(path));
  if (info.size() > kLargestFile)
    throw Failure(QStringLiteral("“%1”太大，不是证书文件（PKCS#12，.p12/.pfx）").arg(path));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw Failure(QStringLiteral("无法读取证书文件：%1（%2）").arg(path, file.errorString()));
  const QByteArray bytes = file.read(kLargestFile + 1);
  if (bytes.isEmpty()) throw Failure(QStringLiteral("证书文件是空的（0 字节）：%1").arg(path));
  return bytes;
}

std::unique_ptr<Signer> OpenPkcs12(const QString& path, const QString& password) {
  ossl::StartProviders();
  const QByteArray bytes = ReadPkcs12File(path);
  const ossl::Pkcs12 p12 = ParsePkcs12(bytes);
  if (!p12) {
    ossl::TakeErrors();
    throw Failure(QStringLiteral("证书文件已损坏，或不是 PKCS#12（.p12/.pfx）文件：%1").arg(path));
  }
  const QByteArray secret = password.toUtf8();
  const char* chosen = nullptr;
  if (!PasswordOpens(p12.get(), secret, &chosen)) {
    ossl::TakeErrors();
    throw WrongCertificatePassword(QStringLiteral("证书密码不对：%1").arg(path));
  }
  EVP_PKEY* rawKey = nullptr;
  X509* rawCertificate = nullptr;
  STACK_OF(X509)* rawOthers = nullptr;
  const bool parsed = PKCS12_parse(p12.get(), chosen, &rawKey, &rawCertificate, &rawOthers) == 1;
  ossl::Key key(rawKey);
  ossl::Certificate certificate(rawCertificate);
  ossl::Certificates others(rawOthers);
  if (!parsed) {
    const QString detail = ossl::TakeErrors();
    // Without a MAC a wrong password shows only as bags that do not decrypt.
    if (!PKCS12_mac_present(p12.get()))
      throw WrongCertificatePassword(QStringLiteral("证书密码不对，或证书文件已损坏：%1").arg(path));
    throw Failure(QStringLiteral("证书文件已损坏，无法读出证书和私钥：%1（%2）").arg(path, detail));
  }
  if (!key) throw Failure(QStringLiteral("证书文件里没有私钥，不能用来签名：%1").arg(path));
  // PKCS12_parse pairs the key with the certificate that matches it; one left over means the
  // file's certificate belongs to some other key.
  if (!certificate) {
    if (others && sk_X509_num(others.get()) > 0)
      throw Failure(QStringLiteral("证书文件里的证书与私钥不匹配，不能用来签名：%1").arg(path));
    throw Failure(QStringLiteral("证书文件里只有私钥，没有它的证书：%1").arg(path));
  }
  const int keyType = EVP_PKEY_get_base_id(key.get());
  if (keyType != EVP_PKEY_RSA && keyType != EVP_PKEY_EC)
    throw Failure(QStringLiteral("证书的密钥类型（%1）不能用于签名：只支持 RSA 和 ECDSA：%2")
                      .arg(QString::fromLatin1(OBJ_nid2sn(keyType)), path));
  if (X509_check_private_key(certificate.get(), key.get()) != 1) {
    ossl::TakeErrors();
    throw Failure(QStringLiteral("证书文件里的证书与私钥不匹配，不能用来签名：%1").arg(path));
  }
  std::vector<ossl::Certificate> chain;
  for (X509* member : ossl::OrderChain(certificate.get(), others.get())) {
    X509_up_ref(member);
    chain.emplace_back(member);
  }
  return std::make_unique<KeySigner>(std::move(key), std::move(chain), path);
}

}  // namespace yz
