// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "certificates/key_signer.h"
#include "certificates/signer.h"
#include "certificates/test_certificates.h"
#include "seams/failure.h"

namespace yz {
namespace {

using testing::CertificateOrder;
using testing::MakeCertificate;
using testing::RunTool;
using testing::TestCertificate;

// The signature value and the timestamp token of a CMS signature, read by OpenSSL.
struct SignedParts {
  QByteArray signatureValue;
  QByteArray token;
};
SignedParts ReadParts(const QByteArray& cms) {
  const auto* cursor = reinterpret_cast<const unsigned char*>(cms.constData());
  const ossl::Cms parsed(d2i_CMS_ContentInfo(nullptr, &cursor, cms.size()));
  CMS_SignerInfo* signerInfo = sk_CMS_SignerInfo_value(CMS_get0_SignerInfos(parsed.get()), 0);
  const ASN1_OCTET_STRING* value = CMS_SignerInfo_get0_signature(signerInfo);
  SignedParts parts;
  parts.signatureValue = QByteArray(reinterpret_cast<const char*>(ASN1_STRING_get0_data(value)), ASN1_STRING_length(value));
  const int index = CMS_unsigned_get_attr_by_NID(signerInfo, NID_id_smime_aa_timeStampToken, -1);
  if (index >= 0) {
    const ASN1_TYPE* token = X509_ATTRIBUTE_get0_type(CMS_unsigned_get_attr(signerInfo, index), 0);
    parts.token = QByteArray(reinterpret_cast<const char*>(ASN1_STRING_get0_data(token->value.sequence)),
                             ASN1_STRING_length(token->value.sequence));
  }
  return parts;
}

// A timestamp authority the test starts on 127.0.0.1: openssl's own, with a certificate for
// time stamping issued by the test's root.
class Timestamps : public ::testing::Test {
 protected:
  void SetUp() override {
    const TestCertificate ca = MakeCertificate(testing::AuthorityOrder(QStringLiteral("时间戳根证书")));
    CertificateOrder tsaOrder;
    tsaOrder.commonName = QStringLiteral("Test TSA");
    tsaOrder.keyType = QStringLiteral("RSA");
    tsaOrder.keyUsage = QStringLiteral("critical,digitalSignature");
    tsaOrder.extendedKeyUsage = QStringLiteral("critical,timeStamping");
    tsaOrder.issuer = &ca;
    const TestCertificate tsa = MakeCertificate(tsaOrder);
    testing::WritePem(Path("ca.pem"), ca);
    testing::WritePem(Path("tsa.pem"), tsa, true);
    testing::WriteBytes(Path("tsa.cnf"), QStringLiteral("[ tsa ]\ndefault_tsa = here\n[ here ]\n"
                                               "serial = %1\nsigner_cert = %2\nsigner_key = %2\ncerts = %3\n"
                                               "signer_digest = sha256\ndefault_policy = 1.2.3.4.1\n"
                                               "digests = sha256\naccuracy = secs:1\ness_cert_id_alg = sha256\n")
                                    .arg(Path("serial"), Path("tsa.pem"), Path("ca.pem"))
                                    .toUtf8());
    testing::WriteBytes(Path("serial"), "01\n");
    authority_.start("python3", {YZ_SOURCE_DIR "/tests/certificates/timestamp_authority.py", Path("tsa.cnf")});
    ASSERT_TRUE(authority_.waitForReadyRead(20000)) << authority_.readAllStandardError().constData();
    port_ = authority_.readLine().trimmed().toInt();
    ASSERT_GT(port_, 0);

    const TestCertificate signer = MakeCertificate({.keyType = QStringLiteral("EC")});
    std::vector<ossl::Certificate> chain;
    X509_up_ref(signer.certificate.get());
    chain.emplace_back(signer.certificate.get());
    EVP_PKEY_up_ref(signer.key.get());
    signer_ = std::make_unique<KeySigner>(ossl::Key(signer.key.get()), std::move(chain), QStringLiteral("test"));
  }
  void TearDown() override {
    authority_.kill();
    authority_.waitForFinished();
  }
  QString Path(const QString& name) const { return dir_.filePath(name); }
  TimestampAuthority Authority(const char* path) const {
    return {QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(QString::fromLatin1(path)), 20000};
  }
  QString Refusal(const TimestampAuthority& authority) const {
    try {
      MakeCadesSignature(*signer_, ossl::Sha256("content"), authority);
      return {};
    } catch (const Failure& failure) {
      return failure.message();
    }
  }

  QTemporaryDir dir_;
  QProcess authority_;
  int port_ = 0;
  std::unique_ptr<Signer> signer_;
};

TEST_F(Timestamps, TheTokenCoversTheSignatureValueAndOpensslAcceptsIt) {
  const QByteArray content = "the document's signed bytes";
  const QByteArray cms = MakeCadesSignature(*signer_, ossl::Sha256(content), Authority("/ok"));
  const SignedParts parts = ReadParts(cms);
  ASSERT_FALSE(parts.token.isEmpty()) << "id-aa-signatureTimeStampToken present";
  testing::WriteBytes(Path("value.bin"), parts.signatureValue);
  testing::WriteBytes(Path("token.der"), parts.token);
  const testing::ToolRun verified = RunTool(
      "openssl", {"ts", "-verify", "-data", Path("value.bin"), "-in", Path("token.der"), "-token_in", "-CAfile", Path("ca.pem")});
  EXPECT_TRUE(verified.output.contains("Verification: OK")) << verified.output.constData();

  testing::WriteBytes(Path("content.bin"), content);
  testing::WriteBytes(Path("signature.der"), cms);
  const testing::ToolRun cmsVerified =
      RunTool("openssl", {"cms", "-verify", "-binary", "-inform", "DER", "-in", Path("signature.der"), "-content",
                          Path("content.bin"), "-purpose", "any", "-noverify", "-out", "/dev/null"});
  EXPECT_TRUE(cmsVerified.output.contains("Verification successful")) << cmsVerified.output.constData();

  const CmsCheck check = CheckCmsSignature(cms, ossl::Sha256(content));
  EXPECT_EQ(check.verdict, CmsCheck::Verdict::Intact) << check.reason.toStdString();
  EXPECT_LT(std::abs(check.timestamp.secsTo(QDateTime::currentDateTimeUtc())), 120) << check.timestamp.toString().toStdString();

  const int room = SignatureRoom(*signer_, Authority("/ok"));
  EXPECT_GE(room, cms.size());
  EXPECT_LT(room, cms.size() + 2048);
}

TEST_F(Timestamps, AnAuthorityThatDoesNotGiveAFittingTokenStopsTheSignature) {
  QTcpServer closed;
  closed.listen(QHostAddress::LocalHost);
  const quint16 closedPort = closed.serverPort();
  closed.close();
  const struct {
    TimestampAuthority authority;
    QString expected;
  } cases[] = {
      {Authority("/refuse"), QStringLiteral("HTTP 500")},
      {Authority("/garbage"), QStringLiteral("不是时间戳")},
      {Authority("/other"), QStringLiteral("不是对这份签名的")},
      {{QStringLiteral("http://127.0.0.1:%1/").arg(closedPort), 5000}, QStringLiteral("连不上")},
      {{QStringLiteral("https://127.0.0.1:%1/").arg(port_), 5000}, QStringLiteral("http://")},
      {{QStringLiteral("not a url"), 5000}, QStringLiteral("地址不对")},
  };
  for (const auto& each : cases) {
    const QString reason = Refusal(each.authority);
    EXPECT_TRUE(reason.contains(each.expected)) << each.authority.url.toStdString() << ": " << reason.toStdString();
  }
}

}  // namespace
}  // namespace yz
