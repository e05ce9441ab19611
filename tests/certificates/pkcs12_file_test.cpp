// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "certificates/pkcs12_file.h"
#include "certificates/test_certificates.h"
#include "seams/failure.h"

namespace yz {
namespace {

using testing::CertificateOrder;
using testing::MakeCertificate;
using testing::TestCertificate;

class Pkcs12Files : public ::testing::Test {
 protected:
  QString Path(const QString& name) const { return dir_.filePath(name); }
  // The reason OpenPkcs12 gives, or "opened" when it does not refuse.
  QString Reason(const QString& path, const QString& password) const {
    try {
      OpenPkcs12(path, password);
      return QStringLiteral("opened");
    } catch (const Failure& failure) {
      return failure.message();
    }
  }
  QTemporaryDir dir_;
};

TEST_F(Pkcs12Files, EveryKeyKindOpensWithItsChainSignerFirst) {
  const TestCertificate ca = MakeCertificate(testing::AuthorityOrder());
  for (const auto& [type, bits] : {std::pair{"RSA", 2048}, {"RSA", 3072}, {"EC", 256}}) {
    SCOPED_TRACE(type + std::to_string(bits));
    CertificateOrder order;
    order.keyType = QString::fromLatin1(type);
    order.rsaBits = bits;
    order.issuer = &ca;
    const TestCertificate leaf = MakeCertificate(order);
    const QString path = Path(QStringLiteral("签名人.p12"));
    // The authority first in the file: the signer's own certificate must still lead the chain.
    testing::WritePkcs12(path, QStringLiteral("口令 pass"), leaf.key.get(),
                         {ca.certificate.get(), leaf.certificate.get()});
    const std::unique_ptr<Signer> signer = OpenPkcs12(path, QStringLiteral("口令 pass"));
    EXPECT_EQ(signer->Summary().subject, QStringLiteral("测试签名人"));
    EXPECT_EQ(signer->Summary().issuer, QStringLiteral("测试根证书"));
    EXPECT_EQ(signer->Summary().source, path);
    const std::vector<QByteArray> chain = signer->ChainDer();
    ASSERT_EQ(chain.size(), 2u);
    EXPECT_EQ(chain[0], ossl::CertificateDer(leaf.certificate.get()));
    EXPECT_EQ(chain[1], ossl::CertificateDer(ca.certificate.get()));
    EXPECT_FALSE(signer->SignSha256("data").isEmpty());
  }
}

TEST_F(Pkcs12Files, AnOldRc2FileOpens) {
  const TestCertificate leaf = MakeCertificate({});
  testing::WritePem(Path(QStringLiteral("leaf.pem")), leaf, true);
  const QString path = Path(QStringLiteral("legacy.p12"));
  const testing::ToolRun made = testing::RunTool(
      QStringLiteral("openssl"), {"pkcs12", "-export", "-legacy", "-in", Path("leaf.pem"), "-out", path,
                                  "-passout", "pass:old-secret"});
  ASSERT_EQ(made.exitCode, 0) << made.output.constData();
  const testing::ToolRun info = testing::RunTool(
      QStringLiteral("openssl"), {"pkcs12", "-legacy", "-info", "-noout", "-in", path, "-passin", "pass:old-secret"});
  ASSERT_TRUE(info.output.contains("RC2")) << info.output.constData();
  EXPECT_EQ(OpenPkcs12(path, QStringLiteral("old-secret"))->Summary().subject, QStringLiteral("测试签名人"));
  EXPECT_TRUE(Reason(path, QStringLiteral("wrong")).contains(QStringLiteral("密码不对")));
}

TEST_F(Pkcs12Files, EachUnusableFileSaysWhy) {
  const TestCertificate leaf = MakeCertificate({});
  CertificateOrder otherOrder;
  otherOrder.keyType = QStringLiteral("RSA");
  const TestCertificate other = MakeCertificate(otherOrder);
  testing::WritePkcs12(Path("good.p12"), "secret", leaf.key.get(), {leaf.certificate.get()});
  testing::WritePkcs12(Path("no-key.p12"), "secret", nullptr, {leaf.certificate.get()});
  testing::WritePkcs12(Path("mismatch.p12"), "secret", other.key.get(), {leaf.certificate.get()});
  const TestCertificate edwards = MakeCertificate({.keyType = QStringLiteral("ED25519")});
  testing::WritePkcs12(Path("ed25519.p12"), "secret", edwards.key.get(), {edwards.certificate.get()});
  QFile(Path("good.p12")).copy(Path("truncated.p12"));
  QFile truncated(Path("truncated.p12"));
  truncated.resize(truncated.size() / 2);
  QFile empty(Path("empty.p12"));
  empty.open(QIODevice::WriteOnly);
  empty.close();
  QFile garbage(Path("garbage.p12"));
  garbage.open(QIODevice::WriteOnly);
  garbage.write("%PDF-1.7 this is no certificate");
  garbage.close();
  QDir(dir_.path()).mkdir(QStringLiteral("folder.p12"));

  const struct {
    const char* file;
    const char* password;
    QString expected;
  } cases[] = {
      {"missing.p12", "secret", QStringLiteral("找不到证书文件")},
      {"folder.p12", "secret", QStringLiteral("不是普通文件")},
      {"empty.p12", "secret", QStringLiteral("证书文件是空的")},
      {"garbage.p12", "secret", QStringLiteral("证书文件已损坏")},
      {"truncated.p12", "secret", QStringLiteral("证书文件已损坏")},
      {"good.p12", "Secret", QStringLiteral("证书密码不对")},
      {"good.p12", "", QStringLiteral("证书密码不对")},
      {"no-key.p12", "secret", QStringLiteral("没有私钥")},
      {"mismatch.p12", "secret", QStringLiteral("证书与私钥不匹配")},
      {"ed25519.p12", "secret", QStringLiteral("只支持 RSA 和 ECDSA")},
  };
  for (const auto& each : cases) {
    const QString reason = Reason(Path(each.file), QString::fromUtf8(each.password));
    EXPECT_TRUE(reason.contains(each.expected)) << each.file << ": " << reason.toStdString();
    if (reason != QLatin1String("opened"))
      EXPECT_TRUE(reason.contains(Path(each.file))) << "the reason names the file: " << reason.toStdString();
  }
  EXPECT_EQ(Reason(Path("good.p12"), "secret"), QStringLiteral("opened"));
}

}  // namespace
}  // namespace yz
