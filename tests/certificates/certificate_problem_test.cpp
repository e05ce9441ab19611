// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "certificates/certificate_summary.h"
#include "certificates/test_certificates.h"

namespace yz {
namespace {

using testing::CertificateOrder;

CertificateSummary Summary(const CertificateOrder& order) {
  return SummarizeCertificate(testing::MakeCertificate(order).certificate.get());
}

TEST(CertificateProblems, DatesAndKeyUsageDecideWhetherACertificateMaySign) {
  const QDateTime now = QDateTime::currentDateTimeUtc();
  const QDateTime ended(QDate(2024, 3, 1), QTime(8, 0), Qt::UTC);
  const QDateTime starts(QDate(2031, 5, 2), QTime(9, 30), Qt::UTC);
  const struct {
    const char* what;
    CertificateOrder order;
    QStringList expected;  // what the reason says; empty: it may sign
  } cases[] = {
      {"valid, both usages", {}, {}},
      {"no keyUsage: unrestricted", {.keyUsage = {}}, {}},
      {"nonRepudiation only", {.keyUsage = QStringLiteral("nonRepudiation")}, {}},
      {"digitalSignature only", {.keyUsage = QStringLiteral("critical,digitalSignature")}, {}},
      {"expired", {.from = ended.addYears(-1), .to = ended}, {QStringLiteral("已过期"), QStringLiteral("2024-03-01 08:00")}},
      {"not yet valid", {.from = starts, .to = starts.addYears(1)}, {QStringLiteral("尚未生效"), QStringLiteral("2031-05-02 09:30")}},
      {"certificate signing only",
       {.keyUsage = QStringLiteral("critical,keyCertSign")},
       {QStringLiteral("不允许签名"), QStringLiteral("keyCertSign")}},
      {"encipherment only",
       {.keyUsage = QStringLiteral("keyEncipherment,dataEncipherment")},
       {QStringLiteral("不允许签名"), QStringLiteral("keyEncipherment, dataEncipherment")}},
  };
  for (const auto& each : cases) {
    const CertificateSummary summary = Summary(each.order);
    const QString problem = CertificateProblem(summary, now);
    if (each.expected.isEmpty()) {
      EXPECT_TRUE(problem.isEmpty()) << each.what << ": " << problem.toStdString();
      continue;
    }
    EXPECT_TRUE(problem.contains(summary.subject)) << each.what;
    for (const QString& part : each.expected)
      EXPECT_TRUE(problem.contains(part)) << each.what << ": " << problem.toStdString();
  }
}

TEST(CertificateProblems, TheSummaryReadsNamesDatesAndUsages) {
  const testing::TestCertificate ca = testing::MakeCertificate(testing::AuthorityOrder());
  CertificateOrder order;
  order.issuer = &ca;
  order.from = QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5), Qt::UTC);
  order.to = QDateTime(QDate(2029, 1, 2), QTime(3, 4, 5), Qt::UTC);
  const CertificateSummary summary = SummarizeCertificateDer(
      ossl::CertificateDer(testing::MakeCertificate(order).certificate.get()), QStringLiteral("/where/it.p12"));
  EXPECT_EQ(summary.subject, QStringLiteral("测试签名人"));
  EXPECT_EQ(summary.issuer, QStringLiteral("测试根证书"));
  EXPECT_EQ(summary.validFrom, order.from);
  EXPECT_EQ(summary.validTo, order.to);
  EXPECT_TRUE(summary.hasKeyUsage);
  EXPECT_EQ(summary.keyUsage, (QStringList{"digitalSignature", "nonRepudiation"}));
  EXPECT_EQ(summary.source, QStringLiteral("/where/it.p12"));
  EXPECT_TRUE(SummarizeCertificateDer("garbage").subject.isEmpty());
}

}  // namespace
}  // namespace yz
