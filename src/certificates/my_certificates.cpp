// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "certificates/my_certificates.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <openssl/rand.h>
#include <openssl/x509v3.h>

#include "certificates/certificate_summary.h"
#include "certificates/openssl_support.h"
#include "certificates/pkcs12_file.h"
#include "certificates/private_file.h"
#include "seams/failure.h"

namespace yz {

namespace {

constexpr int kValidYears = 3;
constexpr int kKeyIterations = 10000;

ossl::Key MakeKey(MyKeyKind kind) {
  ossl::Key key(kind == MyKeyKind::Rsa3072 ? EVP_PKEY_Q_keygen(nullptr, nullptr, "RSA", size_t(3072))
                                           : EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", "P-256"));
  if (!key) throw Failure(QStringLiteral("无法生成密钥（%1）").arg(ossl::TakeErrors()));
  return key;
}

void AddName(X509_NAME* name, int nid, const QString& value) {
  if (value.trimmed().isEmpty()) return;
  const QByteArray utf8 = value.trimmed().toUtf8();
  if (X509_NAME_add_entry_by_NID(name, nid, MBSTRING_UTF8, reinterpret_cast<const unsigned char*>(utf8.constData()),
                                 int(utf8.size()), -1, 0) != 1)
    throw Failure(QStringLiteral("“%1”不能写进证书（太长或含不允许的字符）").arg(value));
}

void AddExtension(X509* certificate, int nid, const char* value) {
  X509V3_CTX context;
  X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
  const bool added = extension != nullptr && X509_add_ext(certificate, extension, -1) == 1;
  X509_EXTENSION_free(extension);
  if (!added) throw Failure(QStringLiteral("无法生成证书（%1）").arg(ossl::TakeErrors()));
}

ossl::Certificate MakeSelfSigned(const MyCertificateOrder& order, EVP_PKEY* key) {
  ossl::Certificate certificate(X509_new());
  X509* made = certificate.get();
  unsigned char serial[16];
  RAND_bytes(serial, sizeof serial);
  serial[0] = (serial[0] & 0x7f) | 0x01;  // positive, and sixteen bytes long
  BIGNUM* number = BN_bin2bn(serial, sizeof serial, nullptr);
  const bool numbered = number && BN_to_ASN1_INTEGER(number, X509_get_serialNumber(made)) != nullptr;
  BN_free(number);
  X509_NAME* name = X509_get_subject_name(made);
  AddName(name, NID_commonName, order.name);
  AddName(name, NID_organizationName, order.organisation);
  AddName(name, NID_pkcs9_emailAddress, order.email);
  const QDateTime now = QDateTime::currentDateTimeUtc();
  if (!numbered || X509_set_version(made, 2) != 1 || X509_set_issuer_name(made, name) != 1 ||
      !ASN1_TIME_set(X509_getm_notBefore(made), now.toSecsSinceEpoch()) ||
      !ASN1_TIME_set(X509_getm_notAfter(made), now.addYears(kValidYears).toSecsSinceEpoch()) ||
      X509_set_pubkey(made, key) != 1)
    throw Failure(QStringLiteral("无法生成证书（%1）").arg(ossl::TakeErrors()));
  AddExtension(made, NID_basic_constraints, "CA:FALSE");
  AddExtension(made, NID_key_usage, "critical,digitalSignature,nonRepudiation");
  AddExtension(made, NID_subject_key_identifier, "hash");
  AddExtension(made, NID_authority_key_identifier, "keyid");
  if (!order.email.trimmed().isEmpty())
    AddExtension(made, NID_subject_alt_name, ("email:" + order.email.trimmed().toUtf8()).constData());
  if (X509_sign(made, key, EVP_sha256()) <= 0)
    throw Failure(QStringLiteral("无法生成证书（%1）").arg(ossl::TakeErrors()));
  return certificate;
}

QByteArray Pkcs12Bytes(const MyCertificateOrder& order, EVP_PKEY* key, X509* certificate) {
  const QByteArray secret = order.password.toUtf8();
  const QByteArray friendly = order.name.trimmed().toUtf8();
  // No MAC from PKCS12_create (it would be SHA-1): a SHA-256 one is set after.
  ossl::Pkcs12 p12(PKCS12_create(secret.constData(), friendly.constData(), key, certificate, nullptr,
                                 NID_aes_256_cbc, NID_aes_256_cbc, kKeyIterations, -1, 0));
  if (!p12 || PKCS12_set_mac(p12.get(), secret.constData(), -1, nullptr, 0, kKeyIterations, EVP_sha256()) != 1)
    throw Failure(QStringLiteral("无法生成证书文件（%1）").arg(ossl::TakeErrors()));
  const QByteArray der = ossl::ToDer(p12.get(), i2d_PKCS12);
  if (der.isEmpty()) throw Failure(QStringLiteral("无法生成证书文件（%1）").arg(ossl::TakeErrors()));
  return der;
}

// A file name from the certificate's name: what a file name cannot hold replaced, and a
// number added while the name is taken.
QString FreeBaseName(const QDir& folder, const QString& name) {
  QString base;
  for (const QChar c : name.trimmed())
    base += (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control) ? QChar('_') : c;
  if (base.isEmpty() || base.startsWith(QLatin1Char('.'))) base.prepend(QStringLiteral("证书"));
  base = base.left(80);
  QString candidate = base;
  for (int n = 2; folder.exists(candidate + QStringLiteral(".p12")) || folder.exists(candidate + QStringLiteral(".cer")); ++n)
    candidate = QStringLiteral("%1 (%2)").arg(base).arg(n);
  return candidate;
}

QDir PreparedFolder() {
  const QString path = MyCertificatesFolder();
  if (!QDir().mkpath(path)) throw Failure(QStringLiteral("无法建立证书文件夹：%1").arg(path));
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  return QDir(path);
}

// The .cer first, the key file last, so that a key never lies there without its listing; the
// .cer goes again if the key file cannot be written.
MyCertificate Store(const QString& name, const QByteArray& pkcs12, const QByteArray& certificateDer) {
  const QDir folder = PreparedFolder();
  const QString base = FreeBaseName(folder, name);
  MyCertificate stored;
  stored.pkcs12Path = folder.filePath(base + QStringLiteral(".p12"));
  stored.certificatePath = folder.filePath(base + QStringLiteral(".cer"));
  WriteNewPrivateFile(stored.certificatePath, certificateDer);
  try {
    WriteNewPrivateFile(stored.pkcs12Path, pkcs12);
  } catch (const Failure&) {
    QFile::remove(stored.certificatePath);
    throw;
  }
  stored.summary = SummarizeCertificateDer(certificateDer, stored.pkcs12Path);
  return stored;
}

}  // namespace

QString MyCertificatesFolder() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
      .filePath(QStringLiteral("yanzhou-sign/certificates"));
}

MyCertificate CreateMyCertificate(const MyCertificateOrder& order) {
  ossl::StartProviders();
  if (order.name.trimmed().isEmpty()) throw Failure(QStringLiteral("请先填写姓名：证书是为这个名字做的"));
  if (order.password.isEmpty()) throw Failure(QStringLiteral("请为证书设一个密码：没有密码，拿到文件的人就能用它签名"));
  const ossl::Key key = MakeKey(order.key);
  const ossl::Certificate certificate = MakeSelfSigned(order, key.get());
  return Store(order.name, Pkcs12Bytes(order, key.get(), certificate.get()), ossl::CertificateDer(certificate.get()));
}

MyCertificate ImportMyCertificate(const QString& pkcs12Path, const QString& password) {
  const std::unique_ptr<Signer> signer = OpenPkcs12(pkcs12Path, password);
  // An expired certificate may still be kept (signing warns about it); one that may not sign
  // at all is of no use here.
  const QString problem = KeyUsageProblem(signer->Summary());
  if (!problem.isEmpty()) throw Failure(problem);
  return Store(signer->Summary().subject, ReadPkcs12File(pkcs12Path), signer->ChainDer().front());
}

std::vector<MyCertificate> ListMyCertificates() {
  std::vector<MyCertificate> listed;
  const QDir folder(MyCertificatesFolder());
  const QFileInfoList files =
      folder.entryInfoList({QStringLiteral("*.p12")}, QDir::Files, QDir::Time);
  for (const QFileInfo& file : files) {
    MyCertificate certificate;
    certificate.pkcs12Path = file.filePath();
    certificate.certificatePath = folder.filePath(file.completeBaseName() + QStringLiteral(".cer"));
    QFile cer(certificate.certificatePath);
    const QByteArray der = cer.open(QIODevice::ReadOnly) ? cer.read(1024 * 1024) : QByteArray();
    certificate.summary = SummarizeCertificateDer(der, certificate.pkcs12Path);
    if (certificate.summary.subject.isEmpty()) {
      certificate.summary.subject = file.completeBaseName();  // its .cer lost: the file's name
      certificate.certificatePath.clear();
    }
    listed.push_back(std::move(certificate));
  }
  return listed;
}

void ExportCertificate(const QByteArray& certificateDer, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(certificateDer) != certificateDer.size() || !file.commit())
    throw Failure(QStringLiteral("无法保存证书：%1（%2）").arg(path, file.errorString()));
}

}  // namespace yz
