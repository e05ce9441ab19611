// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The renderer's --verify as scripts see it: one line per signature, the exit status.
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include "export/run_renderer.h"
#include "sign/run_verification.h"
#include "verification/signed_fixtures.h"

namespace yz {
namespace {

using testing::Fixtures;

struct Outcome {
  int status;
  QStringList lines;
  QString error;
};

Outcome Verify(const QStringList& options) {
  QString out, err;
  QTextStream outStream(&out), errStream(&err);
  const int status = RunRenderer(QStringList{QStringLiteral("yanzhou-sign-render")} + options,
                                 QStringLiteral(YZ_APP_DIR "/"), outStream, errStream, {},
                                 RunVerification);
  return {status, out.split('\n', Qt::SkipEmptyParts), err.trimmed()};
}

TEST(RendererVerify, PrintsOneLinePerSignatureAndExitsByTheVerdicts) {
  ASSERT_TRUE(Fixtures().ok()) << Fixtures().error().toStdString();
  const auto& f = Fixtures();
  const QString signedOnce = f.Path("cli-1.pdf"), signedTwice = f.Path("cli-2.pdf");
  ASSERT_TRUE(f.PopplerSign(f.Plain("cli-0.pdf"), signedOnce, "Buyer"));
  ASSERT_TRUE(f.PopplerSign(signedOnce, signedTwice, "Seller"));

  const Outcome intact = Verify({"--verify", signedTwice});
  EXPECT_EQ(intact.status, kRenderedOk) << intact.error.toStdString();
  ASSERT_EQ(intact.lines.size(), 2);
  EXPECT_TRUE(intact.lines[0].startsWith(QStringLiteral("Buyer\t签名测试人\t有效\t")));
  EXPECT_TRUE(intact.lines[0].contains(QStringLiteral("覆盖第 2 版（共 3 版）")));
  EXPECT_TRUE(intact.lines[1].startsWith(QStringLiteral("Seller\t签名测试人\t有效\t")));
  EXPECT_TRUE(intact.lines[1].contains(QStringLiteral("覆盖整个文档")));

  // One byte of the second update changed: that signature is named, the first stays valid.
  const QString changed = f.Path("cli-changed.pdf");
  QFile::copy(signedTwice, changed);
  testing::FlipByte(changed, testing::StreamByteAfter(changed, QFile(signedOnce).size()));
  const Outcome broken = Verify({"--verify", changed});
  EXPECT_EQ(broken.status, kRenderFailed);
  ASSERT_EQ(broken.lines.size(), 2) << broken.error.toStdString();
  EXPECT_TRUE(broken.lines[0].startsWith(QStringLiteral("Buyer\t签名测试人\t有效\t")));
  EXPECT_TRUE(broken.lines[1].startsWith(QStringLiteral("Seller\t签名测试人\t签名后已被修改")));

  const Outcome garbage = Verify({"--verify", f.HandSign("cli-garbage.pdf", {.contents = "garbage"})});
  EXPECT_EQ(garbage.status, kRenderFailed);
  ASSERT_EQ(garbage.lines.size(), 1);
  EXPECT_TRUE(garbage.lines[0].startsWith(QStringLiteral("Cades\tFixture Name\t无法验证（")));
}

TEST(RendererVerify, DocumentsWithoutSignaturesOrUnreadableExitOneWithTheReason) {
  ASSERT_TRUE(Fixtures().ok()) << Fixtures().error().toStdString();
  const auto& f = Fixtures();
  const QString plain = f.Plain("cli-plain.pdf");
  const QString encrypted = f.Path("cli-encrypted.pdf"), encryptedSigned = f.Path("cli-encrypted-signed.pdf");
  ASSERT_EQ(QProcess::execute(QStringLiteral("qpdf"), {"--encrypt", "secret", "secret", "256", "--",
                                                        plain, encrypted}), 0);
  ASSERT_TRUE(f.PopplerSign(encrypted, encryptedSigned, "Sealed", "secret"));
  // The update's catalogue (which names the signature field) damaged: the library falls back
  // on the original one, and the signature it can no longer see is not called absent.
  const QString damaged = f.HandSign("cli-damaged.pdf", {});
  {
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const qint64 catalogue = file.readAll().lastIndexOf("1 0 obj");
    ASSERT_GT(catalogue, 0);
    file.seek(catalogue + 4);
    file.write("xbj");
  }
  const QString folder = f.Path("");
  struct Case {
    QStringList options;
    QString reason;
  };
  const Case cases[] = {
      {{"--verify", plain}, QStringLiteral("文档里没有数字签名")},
      {{"--verify", damaged}, QStringLiteral("文档已损坏，读不出其中的数字签名")},
      {{"--verify", f.Path("missing.pdf")}, QStringLiteral("找不到文档")},
      {{"--verify", folder}, QStringLiteral("是文件夹")},
      {{"--verify", f.Path("leaf.pem")}, QStringLiteral("不是 PDF 文档")},
      {{"--verify", encryptedSigned}, QStringLiteral("需要密码")},
      {{"--verify", encryptedSigned, "--password", "wrong"}, QStringLiteral("密码不对")},
  };
  for (const Case& c : cases) {
    const Outcome run = Verify(c.options);
    EXPECT_EQ(run.status, kRenderFailed) << c.options.join(' ').toStdString();
    EXPECT_TRUE(run.lines.isEmpty()) << c.options.join(' ').toStdString();
    EXPECT_TRUE(run.error.contains(c.reason)) << run.error.toStdString();
    EXPECT_EQ(run.error.count('\n'), 0);
  }
  const Outcome opened = Verify({"--verify", encryptedSigned, "--password", "secret"});
  EXPECT_EQ(opened.status, kRenderedOk) << opened.error.toStdString();
  ASSERT_EQ(opened.lines.size(), 1);
  EXPECT_TRUE(opened.lines[0].startsWith(QStringLiteral("Sealed\t签名测试人\t有效\t")));
}

TEST(RendererVerify, BadArgumentsExitTwo) {
  for (const QStringList& options :
       {QStringList{"--verify", "a.pdf", "--verify", "b.pdf"}, QStringList{"--verify", "a.pdf", "--out", "b.pdf"},
        QStringList{"--verify", "a.pdf", "--sign", "b.pdf", "--at", "1,1"}, QStringList{"--nss-db", "/tmp"},
        QStringList{"--verify"}}) {
    const Outcome run = Verify(options);
    EXPECT_EQ(run.status, kBadArguments) << options.join(' ').toStdString();
    EXPECT_FALSE(run.error.isEmpty());
  }
}

}  // namespace
}  // namespace yz
