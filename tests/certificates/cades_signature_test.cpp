// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "certificates/pkcs12_file.h"
#include "certificates/signer.h"
#include "certificates/test_certificates.h"

namespace yz {
namespace {

using testing::CertificateOrder;
using testing::MakeCertificate;
using testing::RunTool;
using testing::TestCertificate;
using Verdict = CmsCheck::Verdict;

class CadesSignatures : public ::testing::Test {
 protected:
  void SetUp() override {
    ca_ = MakeCertificate(testing::AuthorityOrder());
    testing::WritePem(Path("ca.pem"), ca_);
    content_.resize(100000);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(content_.data()), content_.size() / 4);
    testing::WriteBytes(Path("content.bin"), content_);
  }
  QString Path(const QString& name) const { return dir_.filePath(name); }
  // A signer opened the way the program opens one: from a PKCS#12 file.
  std::unique_ptr<Signer> OpenSigner(const QString& type, int bits) {
    CertificateOrder order;
    order.keyType = type;
    order.rsaBits = bits;
    order.issuer = &ca_;
    const TestCertificate leaf = MakeCertificate(order);
    testing::WritePkcs12(Path("signer.p12"), "pw", leaf.key.get(), {leaf.certificate.get(), ca_.certificate.get()});
    return OpenPkcs12(Path("signer.p12"), "pw");
  }

  // A detached signature of the content made by the openssl tool with the given digest, as
  // another program makes one: with its own signingTime.
  QByteArray OpensslSigned(const char* digest) {
    const TestCertificate rsa = MakeCertificate({.commonName = QStringLiteral("别的程序"), .keyType = QStringLiteral("RSA")});
    testing::WritePem(Path("other.pem"), rsa, true);
    const testing::ToolRun run =
        RunTool("openssl", {"cms", "-sign", "-binary", "-md", digest, "-outform", "DER", "-in", Path("content.bin"),
                            "-signer", Path("other.pem"), "-out", Path("other.der")});
    EXPECT_EQ(run.exitCode, 0) << run.output.constData();
    QFile signature(Path("other.der"));
    signature.open(QIODevice::ReadOnly);
    return signature.readAll();
  }

  QTemporaryDir dir_;
  TestCertificate ca_;
  QByteArray content_;
};

TEST_F(CadesSignatures, OpensslVerifiesEachKeyKindOverTheContentAndNoSigningTimeIsSigned) {
  for (const auto& [type, bits] : {std::pair{"RSA", 2048}, {"RSA", 3072}, {"EC", 256}}) {
    SCOPED_TRACE(type + std::to_string(bits));
    const std::unique_ptr<Signer> signer = OpenSigner(QString::fromLatin1(type), bits);
    const QByteArray cms = MakeCadesSignature(*signer, ossl::Sha256(content_));
    testing::WriteBytes(Path("signature.der"), cms);
    const testing::ToolRun verified =
        RunTool("openssl", {"cms", "-verify", "-binary", "-inform", "DER", "-in", Path("signature.der"), "-content",
                            Path("content.bin"), "-purpose", "any", "-CAfile", Path("ca.pem"), "-out", "/dev/null"});
    EXPECT_EQ(verified.exitCode, 0) << verified.output.constData();
    EXPECT_TRUE(verified.output.contains("Verification successful")) << verified.output.constData();

    const testing::ToolRun printed =
        RunTool("openssl", {"cms", "-cmsout", "-print", "-inform", "DER", "-in", Path("signature.der")});
    ASSERT_EQ(printed.exitCode, 0) << printed.output.constData();
    EXPECT_FALSE(printed.output.contains("signingTime")) << printed.output.constData();
    EXPECT_TRUE(printed.output.contains("1.2.840.113549.1.9.16.2.47")) << "signing-certificate-v2";
    EXPECT_TRUE(printed.output.contains("eContent: <ABSENT>")) << "detached";
    EXPECT_EQ(printed.output.count("cert_info:"), 2) << "the chain is carried";

    const CmsCheck check = CheckCmsSignature(cms, ossl::Sha256(content_));
    EXPECT_EQ(check.verdict, Verdict::Intact) << check.reason.toStdString();
    EXPECT_EQ(check.signer.subject, QStringLiteral("测试签名人"));
    ASSERT_EQ(check.chain.size(), 2u);
    EXPECT_EQ(check.chain[0], signer->ChainDer()[0]);
    EXPECT_FALSE(check.timestamp.isValid());
    EXPECT_FALSE(check.signingTime.isValid());
  }
}

TEST_F(CadesSignatures, ASignatureByAnotherProgramIsCheckedWithItsSigningTime) {
  const CmsCheck check = CheckCmsSignature(OpensslSigned("sha256"), ossl::Sha256(content_));
  EXPECT_EQ(check.verdict, Verdict::Intact) << check.reason.toStdString();
  EXPECT_EQ(check.signer.subject, QStringLiteral("别的程序"));
  EXPECT_LT(std::abs(check.signingTime.secsTo(QDateTime::currentDateTimeUtc())), 120);
}

TEST_F(CadesSignatures, TheCheckTellsAlteredFromUnverifiable) {
  const std::unique_ptr<Signer> signer = OpenSigner("EC", 256);
  const QByteArray digest = ossl::Sha256(content_);
  const QByteArray cms = MakeCadesSignature(*signer, digest);

  QByteArray changedContent = content_;
  changedContent[5000] = char(changedContent[5000] ^ 1);
  const CmsCheck changed = CheckCmsSignature(cms, ossl::Sha256(changedContent));
  EXPECT_EQ(changed.verdict, Verdict::Altered);
  EXPECT_EQ(changed.signer.subject, QStringLiteral("测试签名人")) << "the signer is still told";

  // The last bytes of the CMS are the signature value's: one changed no longer verifies.
  QByteArray changedValue = cms;
  changedValue[cms.size() - 3] = char(changedValue[cms.size() - 3] ^ 0x40);
  EXPECT_EQ(CheckCmsSignature(changedValue, digest).verdict, Verdict::Altered);

  // Signed with SHA-1 by openssl: a digest this check cannot compare.

  QByteArray random(3000, '\0');
  QRandomGenerator(11).fillRange(reinterpret_cast<quint32*>(random.data()), random.size() / 4);
  const QByteArray unverifiable[] = {
      {},
      random,
      cms.left(cms.size() / 2),
      cms.left(40),
      QByteArray("\x30\x80", 2),
      QByteArray::fromHex("3003060100"),
      OpensslSigned("sha1"),
  };
  for (const QByteArray& bytes : unverifiable) {
    const CmsCheck check = CheckCmsSignature(bytes, digest);
    EXPECT_EQ(check.verdict, Verdict::Unverifiable) << bytes.left(16).toHex().constData();
    EXPECT_FALSE(check.reason.isEmpty());
  }
}

TEST_F(CadesSignatures, TheRoomHoldsEverySignatureOfItsSigner) {
  for (const auto& [type, bits] : {std::pair{"RSA", 3072}, {"EC", 256}}) {
    const std::unique_ptr<Signer> signer = OpenSigner(QString::fromLatin1(type), bits);
    const int room = SignatureRoom(*signer);
    int largest = 0;
    for (int i = 0; i < 40; ++i) {
      const QByteArray digest = ossl::Sha256(QByteArray::number(i));
      largest = std::max<int>(largest, MakeCadesSignature(*signer, digest).size());
    }
    EXPECT_GE(room, largest) << type;
    EXPECT_LT(room, largest + 256) << type << ": a room sized from the signature, not a blind guess";
  }
}

}  // namespace
}  // namespace yz
