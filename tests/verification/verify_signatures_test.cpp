// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Signatures made by others (poppler's pdfsig, openssl's CMS in a by-hand update) read and
// checked, each verdict set beside pdfsig's own on the same file.
#include <QFile>
#include <gtest/gtest.h>

#include "sign/signing_fixture.h"
#include "verification/doc_mdp.h"
#include "verification/document_file.h"
#include "verification/signed_fixtures.h"
#include "verification/verification_text.h"
#include "verification/verify_signatures.h"

namespace yz {
namespace {

using testing::Fixtures;
using testing::FlipByte;
using testing::StreamByteAfter;
using Verdict = SignatureCheck::Verdict;

QString Pdfsig(const QString& path) {
  return QString::fromUtf8(testing::ToolOutput(
      QStringLiteral("pdfsig"), {QStringLiteral("-nocert"), path}));
}

const DocumentSignature* Field(const DocumentSignatures& document, const QString& name) {
  for (const DocumentSignature& field : document.fields)
    if (field.fieldName == name) return &field;
  return nullptr;
}

class VerifySignatures : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Fixtures().ok()) << Fixtures().error().toStdString(); }
};

TEST_F(VerifySignatures, PopplerSignaturesStayIntactAsRevisionsAreAppended) {
  const auto& f = Fixtures();
  const QString one = f.Path("poppler-1.pdf"), two = f.Path("poppler-2.pdf");
  ASSERT_TRUE(f.PopplerSign(f.Plain("poppler-0.pdf"), one, "First"));
  ASSERT_TRUE(f.PopplerSign(one, two, "Second"));

  const DocumentSignatures document = VerifyDocumentSignatures(two);
  ASSERT_TRUE(document.failure.isEmpty()) << document.failure.toStdString();
  ASSERT_EQ(document.SignatureCount(), 2);
  EXPECT_EQ(document.revisions, 3);  // the plain document, then one update per signature
  const DocumentSignature* first = Field(document, "First");
  const DocumentSignature* second = Field(document, "Second");
  ASSERT_TRUE(first && second);
  for (const DocumentSignature* s : {first, second}) {
    EXPECT_EQ(s->check->verdict, Verdict::Intact) << s->check->reason.toStdString();
    EXPECT_EQ(s->signer, QStringLiteral("签名测试人"));
    EXPECT_EQ(s->subFilter, QStringLiteral("adbe.pkcs7.detached"));
    EXPECT_EQ(s->reason, QStringLiteral("fixture"));
    EXPECT_TRUE(s->signingTime.isValid());
    EXPECT_LT(qAbs(s->signingTime.secsTo(QDateTime::currentDateTimeUtc())), 600);
  }
  EXPECT_EQ(first->check->coversRevision, 2);
  EXPECT_FALSE(first->check->coversWholeDocument);
  EXPECT_EQ(CoverageText(*first->check), QStringLiteral("覆盖第 2 版（共 3 版），之后追加的内容不在签名内"));
  EXPECT_EQ(second->check->coversRevision, 3);
  EXPECT_TRUE(second->check->coversWholeDocument);

  // pdfsig reads the same files the same way, ranges included.
  const QString poppler = Pdfsig(two);
  EXPECT_EQ(poppler.count(QStringLiteral("Signature is Valid.")), 2) << poppler.toStdString();
  EXPECT_TRUE(poppler.contains(QStringLiteral("Not total document signed")));
  const std::vector<qint64>& r = first->byteRange;
  ASSERT_EQ(r.size(), 4u);
  EXPECT_TRUE(poppler.contains(QStringLiteral("[%1 - %2], [%3 - %4]")
                                   .arg(r[0]).arg(r[1]).arg(r[2]).arg(r[2] + r[3])));

  // The earlier file alone: its one signature covers all of it.
  const DocumentSignatures earlier = VerifyDocumentSignatures(one);
  ASSERT_EQ(earlier.SignatureCount(), 1);
  EXPECT_TRUE(earlier.fields[0].check->coversWholeDocument);
  EXPECT_EQ(earlier.fields[0].check->coversRevision, 2);
}

TEST_F(VerifySignatures, OneChangedByteInsideASignedRangeIsTold) {
  const auto& f = Fixtures();
  const QString base = f.Path("poppler-2b.pdf");
  ASSERT_TRUE(f.PopplerSign(f.Plain("poppler-0b.pdf"), f.Path("poppler-1b.pdf"), "First"));
  ASSERT_TRUE(f.PopplerSign(f.Path("poppler-1b.pdf"), base, "Second"));
  const std::vector<qint64> firstRange = Field(VerifyDocumentSignatures(base), "First")->byteRange;
  ASSERT_EQ(firstRange.size(), 4u);
  const qint64 firstEnd = firstRange[2] + firstRange[3];

  // A byte of the original page: inside both signatures' ranges.
  const QString early = f.Path("changed-early.pdf");
  QFile::copy(base, early);
  FlipByte(early, StreamByteAfter(early, 0));  // the page's content
  const DocumentSignatures broken = VerifyDocumentSignatures(early);
  for (const DocumentSignature& s : broken.fields) {
    EXPECT_EQ(s.check->verdict, Verdict::Altered) << s.fieldName.toStdString();
    EXPECT_TRUE(VerdictText(*s.check).startsWith(QStringLiteral("签名后已被修改")));
  }
  EXPECT_EQ(Pdfsig(early).count(QStringLiteral("Digest Mismatch.")), 2);

  // A byte of the second update only: the first signature never covered it.
  const QString late = f.Path("changed-late.pdf");
  QFile::copy(base, late);
  FlipByte(late, StreamByteAfter(late, firstEnd));
  const DocumentSignatures partly = VerifyDocumentSignatures(late);
  EXPECT_EQ(Field(partly, "First")->check->verdict, Verdict::Intact);
  EXPECT_EQ(Field(partly, "Second")->check->verdict, Verdict::Altered);
  const QString poppler = Pdfsig(late);
  EXPECT_EQ(poppler.count(QStringLiteral("Signature is Valid.")), 1) << poppler.toStdString();
  EXPECT_EQ(poppler.count(QStringLiteral("Digest Mismatch.")), 1);
}

TEST_F(VerifySignatures, CadesCertificationAndAnEmptyFieldAreRead) {
  const auto& f = Fixtures();
  const QString path = f.HandSign("cades.pdf", {.docMdp = 2});
  const DocumentSignatures document = VerifyDocumentSignatures(path);
  ASSERT_TRUE(document.failure.isEmpty()) << document.failure.toStdString();
  ASSERT_EQ(document.fields.size(), 2u);
  const DocumentSignature& cades = document.fields[0];
  EXPECT_EQ(cades.fieldName, QStringLiteral("Cades"));
  EXPECT_EQ(cades.subFilter, QStringLiteral("ETSI.CAdES.detached"));
  EXPECT_EQ(cades.check->verdict, Verdict::Intact) << cades.check->reason.toStdString();
  EXPECT_EQ(cades.signer, QStringLiteral("签名测试人"));  // the certificate's, not /Name
  EXPECT_EQ(cades.signingTime, QDateTime(QDate(2026, 12, 11), QTime(1, 30), Qt::UTC));
  EXPECT_EQ(cades.reason, QStringLiteral("审阅"));
  EXPECT_EQ(cades.location, QStringLiteral("杭州"));
  EXPECT_TRUE(cades.certification);
  EXPECT_EQ(cades.docMdpPermission, 2);
  EXPECT_EQ(document.docMdpPermission, 2);
  EXPECT_TRUE(cades.check->coversWholeDocument);
  EXPECT_EQ(cades.check->coversRevision, 2);

  const DocumentSignature& empty = document.fields[1];
  EXPECT_EQ(empty.fieldName, QStringLiteral("Empty"));
  EXPECT_TRUE(empty.empty);
  EXPECT_FALSE(empty.check.has_value());
  EXPECT_EQ(empty.page, 0);
  EXPECT_EQ(empty.rectangle, QRectF(100, 100, 200, 50));
  EXPECT_EQ(document.EmptyFieldCount(), 1);

  const QString poppler = Pdfsig(path);
  EXPECT_TRUE(poppler.contains(QStringLiteral("Signature is Valid."))) << poppler.toStdString();
  EXPECT_TRUE(poppler.contains(QStringLiteral("ETSI.CAdES.detached")));

  // Listing alone reads the same without hashing; the signing side reads the permission.
  const DocumentSignatures listed = ListDocumentSignatures(path);
  ASSERT_EQ(listed.fields.size(), 2u);
  EXPECT_EQ(listed.fields[0].signer, QStringLiteral("签名测试人"));
  EXPECT_FALSE(listed.fields[0].check.has_value());
  EXPECT_EQ(listed.revisions, 0);
  for (int p : {1, 3}) {
    DocumentFile file(f.HandSign(QStringLiteral("mdp-%1.pdf").arg(p), {.docMdp = p}), {});
    EXPECT_EQ(DocMdpPermission(file.pdf()), p);
  }
  DocumentFile plain(f.Plain("no-mdp.pdf"), {});
  EXPECT_FALSE(DocMdpPermission(plain.pdf()).has_value());
}

TEST_F(VerifySignatures, WhatCannotBeCheckedIsUnverifiableWithItsReason) {
  const auto& f = Fixtures();
  struct Case {
    const char* name;
    testing::SignedFixtures::HandSigned how;
  };
  const Case cases[] = {
      {"garbage-contents.pdf", {.contents = QByteArray("this is no CMS at all")}},
      {"x509-rsa-sha1.pdf", {.subFilter = "adbe.x509.rsa_sha1"}},
      {"no-format.pdf", {.subFilter = "Nothing#20Known"}},
      {"range-not-from-start.pdf", {.byteRange = QByteArray("1 100 200 50")}},
      {"range-beyond-file.pdf", {.byteRange = QByteArray("0 100 200 999999999")}},
      {"range-gap-elsewhere.pdf", {.byteRange = QByteArray("0 100 200 50")}},
      {"range-three-numbers.pdf", {.byteRange = QByteArray("0 100 200")}},
      // Numbers whose sum overflows: no revision can be told from them.
      {"range-overflowing.pdf", {.byteRange = QByteArray("0 9223372036854775807 9223372036854775807 9")}},
  };
  for (const Case& c : cases) {
    const DocumentSignatures document = VerifyDocumentSignatures(f.HandSign(c.name, c.how));
    ASSERT_TRUE(document.failure.isEmpty()) << c.name;
    const SignatureCheck& check = *document.fields[0].check;
    EXPECT_EQ(check.verdict, Verdict::Unverifiable) << c.name;
    EXPECT_FALSE(check.reason.isEmpty()) << c.name;
    EXPECT_TRUE(VerdictText(check).startsWith(QStringLiteral("无法验证（"))) << c.name;
  }
  const QString poppler = Pdfsig(f.Path("garbage-contents.pdf"));
  EXPECT_FALSE(poppler.contains(QStringLiteral("Signature is Valid."))) << poppler.toStdString();
}

}  // namespace
}  // namespace yz
