// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The renderer's certificate: opened once, its password from a file or the environment, and
// refused with its reason when it cannot sign now.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "seams/failure.h"
#include "sign/renderer_certificate.h"
#include "sign/signing_fixture.h"
#include "sign/test_signer.h"

using namespace yz;
using namespace yz::testing;

namespace {

QString Refusal(const RenderArguments::Signing& signing) {
  try {
    RendererCertificate(signing);
  } catch (const Failure& failure) {
    return failure.message();
  }
  return {};
}

TEST(RendererCertificate, OpensWithThePasswordFromAFileOrTheEnvironmentAndRefusesWhatCannotSign) {
  QTemporaryDir folder;
  const QString passwordFile = folder.filePath(QStringLiteral("口令.txt"));
  ASSERT_TRUE(WriteBytes(passwordFile, QByteArray(kP12Password) + "\r\n"));
  RenderArguments::Signing signing;
  signing.certificate = MakeTestCertificate(folder.path()).p12;
  signing.certificatePasswordFile = passwordFile;
  signing.reason = QStringLiteral("同意");
  const std::optional<CertificateSigning> opened = RendererCertificate(signing);
  ASSERT_TRUE(opened && opened->signer);
  EXPECT_EQ(opened->signer->Summary().subject, QStringLiteral("测试签名人"));
  EXPECT_EQ(opened->reason, QStringLiteral("同意"));

  signing.certificatePasswordFile.reset();
  qputenv("YZ_CERTIFICATE_PASSWORD", kP12Password);
  EXPECT_TRUE(RendererCertificate(signing));
  qunsetenv("YZ_CERTIFICATE_PASSWORD");
  EXPECT_FALSE(Refusal(signing).isEmpty()) << "no password opened it";

  signing.certificatePasswordFile = passwordFile;
  CertificateWish expired, encipherOnly;
  expired.fromDays = -60;
  expired.toDays = -30;
  encipherOnly.keyUsage = QStringLiteral("critical,keyEncipherment");
  for (const auto& [wish, reason] : {std::pair{expired, QStringLiteral("已过期")},
                                     std::pair{encipherOnly, QStringLiteral("不允许签名")}}) {
    signing.certificate = MakeTestCertificate(folder.path(), wish).p12;
    const QString refusal = Refusal(signing);
    EXPECT_TRUE(refusal.contains(reason)) << refusal.toStdString();
  }
  EXPECT_FALSE(RendererCertificate(RenderArguments::Signing{}));
}

}  // namespace
