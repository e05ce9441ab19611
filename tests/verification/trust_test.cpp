// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// A signer's certificate trusted or unknown by a certificate database's trust settings, as the
// renderer's --verify --nss-db tells it; trust never changes the verdict or the exit status.
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include "verification/signed_fixtures.h"

namespace yz {
namespace {

using testing::Fixtures;

struct Verified {
  int status = -1;
  QStringList lines;
  QString error;
};

Verified RunRenderer(const QStringList& arguments) {
  QProcess renderer;
  renderer.start(QStringLiteral(YZ_RENDERER_PROGRAM), arguments);
  renderer.waitForFinished(60000);
  Verified v;
  v.status = renderer.exitStatus() == QProcess::NormalExit ? renderer.exitCode() : -1;
  v.lines = QString::fromUtf8(renderer.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  v.error = QString::fromUtf8(renderer.readAllStandardError()).trimmed();
  return v;
}

TEST(Trust, FollowsTheDatabaseAndNeverTheVerdict) {
  ASSERT_TRUE(Fixtures().ok()) << Fixtures().error().toStdString();
  const auto& f = Fixtures();
  const QString signedOnce = f.Path("trust-1.pdf");
  ASSERT_TRUE(f.PopplerSign(f.Plain("trust-0.pdf"), signedOnce, "Trusted"));
  const QString changed = f.Path("trust-changed.pdf");
  QFile::copy(signedOnce, changed);
  testing::FlipByte(changed, testing::StreamByteAfter(changed, 0));

  struct Case {
    QString document, database;
    int status;
    QString verdict, trust;
  };
  const Case cases[] = {
      {signedOnce, f.TrustingDatabase(), 0, QStringLiteral("有效"), QStringLiteral("证书可信")},
      {signedOnce, f.DoubtingDatabase(), 0, QStringLiteral("有效"), QStringLiteral("证书身份未知（")},
      {changed, f.TrustingDatabase(), 1, QStringLiteral("签名后已被修改"), QStringLiteral("证书可信")},
      // Its /M states a time before the certificates were made: a stated time is no reason to
      // judge the certificate then (it could as well be set back into an expired one's life).
      {f.HandSign("trust-stated-time.pdf", {}), f.TrustingDatabase(), 0, QStringLiteral("有效"),
       QStringLiteral("证书可信")},
  };
  for (const Case& c : cases) {
    const Verified v = RunRenderer({"--verify", c.document, "--nss-db", c.database});
    const std::string what = (c.document + " " + c.database + ": " + v.lines.join('|') + v.error).toStdString();
    EXPECT_EQ(v.status, c.status) << what;
    ASSERT_EQ(v.lines.size(), 1) << what;
    const QStringList parts = v.lines[0].split('\t');
    ASSERT_EQ(parts.size(), 6) << what;
    EXPECT_TRUE(parts[2].startsWith(c.verdict)) << what;
    EXPECT_TRUE(parts[5].startsWith(c.trust)) << what;
  }
  // pdfsig reads the databases the same way.
  const auto pdfsig = [&](const QString& database) {
    QProcess p;
    p.start(QStringLiteral("pdfsig"), {"-nssdir", "sql:" + database, signedOnce});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
  };
  EXPECT_TRUE(pdfsig(f.TrustingDatabase()).contains(QStringLiteral("Certificate is Trusted.")));
  EXPECT_FALSE(pdfsig(f.DoubtingDatabase()).contains(QStringLiteral("Certificate is Trusted.")));

  const Verified missing = RunRenderer({"--verify", signedOnce, "--nss-db", f.Path("no-such-database")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(missing.error.contains(QStringLiteral("--nss-db"))) << missing.error.toStdString();
}

}  // namespace
}  // namespace yz
