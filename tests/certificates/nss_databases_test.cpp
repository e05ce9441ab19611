// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "certificates/nss_databases.h"
#include "certificates/test_certificates.h"
#include "seams/failure.h"

namespace yz {
namespace {

using testing::CertificateOrder;
using testing::MakeCertificate;
using testing::RunTool;
using testing::TestCertificate;

// NSS starts once per process, so the databases are made once for the whole suite: "open"
// without a password holding an ECDSA signer whose authority it trusts, "locked" with a
// password holding an RSA signer.
class NssDatabases : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    ca_ = new TestCertificate(MakeCertificate(testing::AuthorityOrder()));
    testing::WritePem(Path("ca.pem"), *ca_);
    CertificateOrder ecOrder;
    ecOrder.commonName = QStringLiteral("椭圆签名人");
    ecOrder.issuer = ca_;
    const TestCertificate ec = MakeCertificate(ecOrder);
    CertificateOrder rsaOrder;
    rsaOrder.commonName = QStringLiteral("RSA Signer");
    rsaOrder.keyType = QStringLiteral("RSA");
    const TestCertificate rsa = MakeCertificate(rsaOrder);
    testing::WritePkcs12(Path("ec.p12"), "pw", ec.key.get(), {ec.certificate.get(), ca_->certificate.get()});
    testing::WritePkcs12(Path("rsa.p12"), "pw", rsa.key.get(), {rsa.certificate.get()});
    testing::WriteBytes(Path("db-password"), "库密码\n");
    QDir(dir_->path()).mkpath("open");
    QDir(dir_->path()).mkpath("locked");
    Run({"certutil", "-N", "-d", "sql:" + Path("open"), "--empty-password"});
    Run({"pk12util", "-i", Path("ec.p12"), "-d", "sql:" + Path("open"), "-W", "pw"});
    Run({"certutil", "-A", "-n", "测试根证书", "-t", "C,C,C", "-i", Path("ca.pem"), "-d", "sql:" + Path("open")});
    Run({"certutil", "-N", "-d", "sql:" + Path("locked"), "-f", Path("db-password")});
    Run({"pk12util", "-i", Path("rsa.p12"), "-d", "sql:" + Path("locked"), "-W", "pw", "-k", Path("db-password")});
  }
  static void TearDownTestSuite() {
    delete ca_;
    delete dir_;
  }
  static QString Path(const QString& name) { return dir_->filePath(name); }
  static void Run(const QStringList& command) {
    const testing::ToolRun run = RunTool(command.front(), command.mid(1));
    ASSERT_EQ(run.exitCode, 0) << command.join(' ').toStdString() << "\n" << run.output.constData();
  }
  // The one certificate with a key the database lists.
  static NssCertificate OnlyListed(const QString& folder) {
    const std::vector<NssCertificate> listed = ListNssSigningCertificates(folder);
    EXPECT_EQ(listed.size(), 1u);
    return listed.empty() ? NssCertificate{} : listed.front();
  }
  // The signer's CAdES signature over some content, as the openssl tool judges it.
  static testing::ToolRun VerifiedByOpenssl(const Signer& signer) {
    const QByteArray content = QByteArray("signed content ").repeated(1000);
    testing::WriteBytes(Path("content.bin"), content);
    testing::WriteBytes(Path("signature.der"), MakeCadesSignature(signer, ossl::Sha256(content)));
    return RunTool("openssl", {"cms", "-verify", "-binary", "-inform", "DER", "-in", Path("signature.der"), "-content",
                               Path("content.bin"), "-purpose", "any", "-noverify", "-out", "/dev/null"});
  }

  static inline QTemporaryDir* dir_ = nullptr;
  static inline TestCertificate* ca_ = nullptr;
};

TEST_F(NssDatabases, ListOnlyWhatHasAKeyAndSignWithTheKeyWhereItLives) {
  const NssCertificate ec = OnlyListed(Path("open"));
  EXPECT_EQ(ec.summary.subject, QStringLiteral("椭圆签名人"));
  EXPECT_EQ(ec.summary.issuer, QStringLiteral("测试根证书"));
  EXPECT_TRUE(ec.summary.keyUsage.contains(QStringLiteral("nonRepudiation")));
  EXPECT_TRUE(ec.summary.source.contains(ec.nickname));
  const std::unique_ptr<Signer> signer = OpenNssSigner(Path("open"), ec.nickname);
  ASSERT_EQ(signer->ChainDer().size(), 2u) << "the authority the database knows comes along";
  // ECDSA from NSS comes as bare r and s: openssl accepts it only DER-encoded.
  const testing::ToolRun verified = VerifiedByOpenssl(*signer);
  EXPECT_TRUE(verified.output.contains("Verification successful")) << verified.output.constData();

  try {
    OpenNssSigner(Path("open"), QStringLiteral("测试根证书"));
    ADD_FAILURE() << "a certificate without its key cannot sign";
  } catch (const Failure& failure) {
    EXPECT_TRUE(failure.message().contains(QStringLiteral("带私钥的证书"))) << failure.message().toStdString();
  }
  try {
    OpenNssDatabase(Path("."));
    ADD_FAILURE() << "a folder without a database";
  } catch (const Failure& failure) {
    EXPECT_TRUE(failure.message().contains(QStringLiteral("没有 NSS 证书数据库"))) << failure.message().toStdString();
  }
}

TEST_F(NssDatabases, ALockedDatabaseAsksThroughThePromptAndARefusalSaysWhy) {
  std::vector<bool> asked;
  SetNssPasswordPrompt([&](const QString&, bool retry) -> std::optional<QString> {
    asked.push_back(retry);
    if (retry) return std::nullopt;  // as a password file does: one answer only
    return QStringLiteral("wrong");
  });
  try {
    ListNssSigningCertificates(Path("locked"));
    ADD_FAILURE() << "a wrong password opened the database";
  } catch (const Failure& failure) {
    EXPECT_TRUE(failure.message().contains(QStringLiteral("密码不对"))) << failure.message().toStdString();
  }
  EXPECT_EQ(asked, (std::vector<bool>{false, true}));

  SetNssPasswordPrompt([](const QString&, bool) { return std::optional<QString>(QStringLiteral("库密码")); });
  const NssCertificate rsa = OnlyListed(Path("locked"));
  EXPECT_EQ(rsa.summary.subject, QStringLiteral("RSA Signer"));
  const std::unique_ptr<Signer> signer = OpenNssSigner(Path("locked"), rsa.nickname);
  const testing::ToolRun verified = VerifiedByOpenssl(*signer);
  EXPECT_TRUE(verified.output.contains("Verification successful")) << verified.output.constData();
  SetNssPasswordPrompt({});
}

TEST_F(NssDatabases, TrustFollowsTheDatabasesTrustSettings) {
  OpenNssDatabase(Path("open"));
  const NssCertificate ec = OnlyListed(Path("open"));
  const std::vector<QByteArray> chain = OpenNssSigner(Path("open"), ec.nickname)->ChainDer();
  const QDateTime now = QDateTime::currentDateTimeUtc();
  QString why;
  EXPECT_TRUE(NssTrustsChain(chain, now, &why)) << why.toStdString();
  EXPECT_FALSE(NssTrustsChain(chain, now.addYears(5), &why)) << "expired by then";
  EXPECT_FALSE(why.isEmpty());
  const TestCertificate stranger = MakeCertificate({.commonName = QStringLiteral("陌生人")});
  EXPECT_FALSE(NssTrustsChain({ossl::CertificateDer(stranger.certificate.get())}, now, &why));
  EXPECT_FALSE(NssTrustsChain({QByteArray("not a certificate")}, now, &why));
  EXPECT_FALSE(NssTrustsChain({}, now, &why));
}

TEST(NssDatabaseSearch, FindsTheSharedOneAndTheProfilesThatHoldADatabase) {
  QTemporaryDir home;
  const QDir root(home.path());
  const auto database = [&](const QString& folder) {
    root.mkpath(folder);
    QFile(root.filePath(folder + "/cert9.db")).open(QIODevice::WriteOnly);
  };
  database(".pki/nssdb");
  database(".mozilla/firefox/aaaa.other");
  database(".mozilla/firefox/zzzz.default-release");
  root.mkpath(".mozilla/firefox/Crash Reports");
  database(".thunderbird/m1.default");
  const QByteArray oldHome = qgetenv("HOME");
  qputenv("HOME", QFile::encodeName(home.path()));
  const QStringList found = FindNssDatabases();
  qputenv("HOME", oldHome);
  EXPECT_EQ(found, (QStringList{root.filePath(".pki/nssdb"), root.filePath(".mozilla/firefox/zzzz.default-release"),
                                root.filePath(".mozilla/firefox/aaaa.other"), root.filePath(".thunderbird/m1.default")}));
}

}  // namespace
}  // namespace yz
