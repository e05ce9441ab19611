// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "certificates/my_certificates.h"
#include "certificates/pkcs12_file.h"
#include "certificates/test_certificates.h"
#include "seams/failure.h"

namespace yz {
namespace {

using testing::RunTool;

int Mode(const QString& path) {
  struct stat status {};
  return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 0777) : -1;
}

QString Refusal(const std::function<void()>& step) {
  try {
    step();
    return {};
  } catch (const Failure& failure) {
    return failure.message();
  }
}

// The user's data folder moved into a temporary one for each test.
class MyCertificates : public ::testing::Test {
 protected:
  void SetUp() override {
    oldDataHome_ = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome_.path()));
  }
  void TearDown() override { qputenv("XDG_DATA_HOME", oldDataHome_); }
  QStringList Stored() const { return QDir(MyCertificatesFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

  QTemporaryDir dataHome_;
  QByteArray oldDataHome_;
};

TEST_F(MyCertificates, MadeForTheNameKeptOwnerOnlyAndUsableElsewhere) {
  const struct {
    MyKeyKind key;
    const char* keyText;
  } kinds[] = {{MyKeyKind::EcdsaP256, "prime256v1"}, {MyKeyKind::Rsa3072, "(3072 bit)"}};
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.keyText);
    const MyCertificate made = CreateMyCertificate(
        {QStringLiteral("张三"), QStringLiteral("zhang@example.org"), QStringLiteral("砚舟工作室"), kind.key,
         QStringLiteral("我的 密码")});
    EXPECT_TRUE(made.pkcs12Path.startsWith(dataHome_.filePath("yanzhou-sign/certificates/")));
    EXPECT_EQ(Mode(made.pkcs12Path), 0600);
    EXPECT_EQ(Mode(MyCertificatesFolder()), 0700);
    EXPECT_EQ(made.summary.subject, QStringLiteral("张三"));
    EXPECT_EQ(made.summary.issuer, QStringLiteral("张三"));
    EXPECT_NEAR(made.summary.validFrom.daysTo(made.summary.validTo), 3 * 365 + 1, 1);
    EXPECT_TRUE(CertificateProblem(made.summary, QDateTime::currentDateTimeUtc()).isEmpty());

    const testing::ToolRun text = RunTool(
        "openssl", {"x509", "-inform", "DER", "-in", made.certificatePath, "-noout", "-text", "-nameopt", "utf8"});
    const QString printed = QString::fromUtf8(text.output);
    EXPECT_TRUE(printed.contains(QStringLiteral("Subject: CN=张三, O=砚舟工作室"))) << text.output.constData();
    EXPECT_TRUE(printed.contains(QStringLiteral("email:zhang@example.org")));
    EXPECT_TRUE(printed.contains(QStringLiteral("X509v3 Key Usage: critical\n                Digital Signature, Non Repudiation")))
        << text.output.constData();
    EXPECT_TRUE(printed.contains(QString::fromLatin1(kind.keyText)));

    const testing::ToolRun info = RunTool(
        "openssl", {"pkcs12", "-info", "-noout", "-in", made.pkcs12Path, "-passin", "pass:我的 密码"});
    EXPECT_EQ(info.exitCode, 0) << info.output.constData();
    EXPECT_TRUE(info.output.contains("MAC: sha256")) << info.output.constData();
    EXPECT_TRUE(info.output.contains("AES-256-CBC")) << info.output.constData();
    EXPECT_FALSE(info.output.contains("RC2") || info.output.contains("3DES"));

    QFile cer(made.certificatePath);
    ASSERT_TRUE(cer.open(QIODevice::ReadOnly));
    EXPECT_EQ(OpenPkcs12(made.pkcs12Path, QStringLiteral("我的 密码"))->ChainDer().front(), cer.readAll());
  }
  // The second certificate for the same name took a name of its own; nothing else lies there.
  EXPECT_EQ(Stored(), (QStringList{"张三 (2).cer", "张三 (2).p12", "张三.cer", "张三.p12"}));
  const std::vector<MyCertificate> listed = ListMyCertificates();
  ASSERT_EQ(listed.size(), 2u);
  for (const MyCertificate& each : listed) EXPECT_EQ(each.summary.subject, QStringLiteral("张三"));

  const QString exported = dataHome_.filePath("给对方.cer");
  ExportCertificate(OpenPkcs12(listed[0].pkcs12Path, QStringLiteral("我的 密码"))->ChainDer().front(), exported);
  const testing::ToolRun read = RunTool("openssl", {"x509", "-inform", "DER", "-in", exported, "-noout", "-subject"});
  EXPECT_EQ(read.exitCode, 0) << read.output.constData();
}

TEST_F(MyCertificates, WhatCannotBeMadeOrImportedSaysWhyAndWritesNothing) {
  EXPECT_TRUE(Refusal([] { CreateMyCertificate({.name = QStringLiteral("  "), .password = QStringLiteral("pw")}); })
                  .contains(QStringLiteral("姓名")));
  EXPECT_TRUE(Refusal([] { CreateMyCertificate({.name = QStringLiteral("李四")}); }).contains(QStringLiteral("密码")));

  QTemporaryDir elsewhere;
  const testing::TestCertificate good = testing::MakeCertificate({.commonName = QStringLiteral("王五")});
  testing::WritePkcs12(elsewhere.filePath("good.p12"), "pw", good.key.get(), {good.certificate.get()});
  const testing::TestCertificate caOnly =
      testing::MakeCertificate({.commonName = QStringLiteral("只签证书"), .keyUsage = QStringLiteral("critical,keyCertSign")});
  testing::WritePkcs12(elsewhere.filePath("ca-only.p12"), "pw", caOnly.key.get(), {caOnly.certificate.get()});

  EXPECT_TRUE(Refusal([&] { ImportMyCertificate(elsewhere.filePath("good.p12"), "wrong"); })
                  .contains(QStringLiteral("密码不对")));
  EXPECT_TRUE(Refusal([&] { ImportMyCertificate(elsewhere.filePath("ca-only.p12"), "pw"); })
                  .contains(QStringLiteral("不允许签名")));
  EXPECT_TRUE(Refusal([&] { ImportMyCertificate(elsewhere.filePath("missing.p12"), "pw"); })
                  .contains(QStringLiteral("找不到")));
  EXPECT_TRUE(Stored().isEmpty()) << Stored().join(' ').toStdString();

  const MyCertificate imported = ImportMyCertificate(elsewhere.filePath("good.p12"), "pw");
  EXPECT_EQ(Stored(), (QStringList{"王五.cer", "王五.p12"}));
  EXPECT_EQ(Mode(imported.pkcs12Path), 0600);
  EXPECT_EQ(OpenPkcs12(imported.pkcs12Path, "pw")->Summary().subject, QStringLiteral("王五"));
}

}  // namespace
}  // namespace yz
