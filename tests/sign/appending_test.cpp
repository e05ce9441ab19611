// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Signing by appending one update after the original bytes: with a certificate, every reader
// finds the signature valid and the stamps where they were asked; earlier signatures stay
// valid; certified documents' permissions hold; what cannot be appended to is refused with its
// reason and nothing written.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/mount.h>

#include "sign/document_inspection.h"
#include "sign/signing_fixture.h"
#include "sign/stamp_checks.h"
#include "sign/test_signer.h"

using namespace yz;
using namespace yz::testing;

namespace {

using Outcome = SigningResult::Outcome;

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

// A tool's standard output and error together: pdfsig and mutool exit 0 on broken signatures,
// so what they say is what counts.
QString Said(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, arguments);
  process.waitForFinished(120000);
  return QString::fromUtf8(process.readAll());
}

int Count(const QString& text, const QString& what) { return int(text.count(what)); }

// openssl's own check of the newest signature: its CMS over the bytes its /ByteRange names.
QString CmsCheck(const QString& pdf, const QString& folder) {
  const QByteArray bytes = Contents(pdf);
  const qsizetype at = bytes.lastIndexOf("/ByteRange [");
  const QRegularExpression numbers(QStringLiteral("\\[\\s*(\\d+)\\s+(\\d+)\\s+(\\d+)\\s+(\\d+)\\s*\\]"));
  const QRegularExpressionMatch m = numbers.match(QString::fromLatin1(bytes.mid(at + 11, 80)));
  if (!m.hasMatch()) return QStringLiteral("no /ByteRange");
  const qint64 a = m.captured(2).toLongLong(), b = m.captured(3).toLongLong(),
               c = m.captured(4).toLongLong();
  const QString data = QDir(folder).filePath(QStringLiteral("signed.bin"));
  const QString der = QDir(folder).filePath(QStringLiteral("signature.der"));
  WriteBytes(data, bytes.left(a) + bytes.mid(b, c));
  WriteBytes(der, QByteArray::fromHex(bytes.mid(a + 1, b - a - 2)));
  return Said(QStringLiteral("openssl"),
              {QStringLiteral("cms"), QStringLiteral("-verify"), QStringLiteral("-binary"),
               QStringLiteral("-inform"), QStringLiteral("DER"), QStringLiteral("-in"), der,
               QStringLiteral("-content"), data, QStringLiteral("-noverify"), QStringLiteral("-out"),
               QStringLiteral("/dev/null")});
}

QString QpdfCheck(const QString& pdf) {
  return Said(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf});
}

class Appending : public ::testing::Test {
 protected:
  void SetUp() override {
    certificate = MakeTestCertificate(folder.path());
    ASSERT_TRUE(certificate.signer) << "openssl could not make a test certificate";
  }
  QString Path(const QString& name) const { return folder.filePath(name); }
  QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = Path(name);
    EXPECT_TRUE(WriteBytes(path, bytes));
    return path;
  }
  // The blue stamp at 30, 40 mm, 25 mm wide on `pages`, with the certificate when asked.
  SigningPlan Plan(const QString& input, const QString& output, const QString& pages = "all",
                   bool withCertificate = true) {
    SigningPlan plan = OneStampPlan(input, output, pages, {30, 40}, 25);
    if (withCertificate) {
      plan.certificate = CertificateSigning{};
      plan.certificate->signer = certificate.signer;
      plan.certificate->reason = QStringLiteral("同意");
      plan.certificate->location = QStringLiteral("北京");
    }
    return plan;
  }
  SigningResult Sign(const SigningPlan& plan, bool withSeam = false) {
    StampArts arts;
    for (size_t i = 0; i < plan.stamps.size(); ++i) arts.stamps.push_back(art);
    if (withSeam) arts.seam = art;
    return SignDocument(plan, arts);
  }
  // Every signature valid, the newest covering the whole document, by poppler, mupdf, openssl
  // and qpdf, and the original a byte-for-byte prefix.
  void ExpectSignedWhole(const QString& input, const QString& output, int signatures) {
    const QString pdfsig = Said(QStringLiteral("pdfsig"), {output});
    EXPECT_EQ(Count(pdfsig, QStringLiteral("Signature is Valid.")), signatures) << pdfsig.toStdString();
    EXPECT_TRUE(pdfsig.contains(QStringLiteral("Total document signed"))) << pdfsig.toStdString();
    const QString mutool = Said(QStringLiteral("mutool"), {QStringLiteral("sign"), QStringLiteral("-v"), output});
    EXPECT_TRUE(mutool.contains(QStringLiteral("unchanged since signing"))) << mutool.toStdString();
    const QString cms = CmsCheck(output, folder.path());
    EXPECT_TRUE(cms.contains(QStringLiteral("Verification successful"))) << cms.toStdString();
    const QString check = QpdfCheck(output);
    EXPECT_TRUE(check.contains(QStringLiteral("No syntax or stream encoding errors")) &&
                !check.contains(QStringLiteral("WARNING")))
        << check.toStdString();
    EXPECT_TRUE(Contents(output).startsWith(Contents(input))) << "the original is not a prefix";
  }

  QTemporaryDir folder;
  TestCertificate certificate;
  StampArt art = BlueStamp();
};

TEST_F(Appending, EveryReaderFindsTheSignatureValidAndTheStampUprightWhereAskedOnEveryPageKind) {
  const QString input = Write(QStringLiteral("kinds.pdf"), PageKindsPdf());
  const QString output = Path(QStringLiteral("kinds-signed.pdf"));
  const SigningResult result = Sign(Plan(input, output));
  ASSERT_TRUE(result.Ok()) << result.failure.toStdString();
  EXPECT_TRUE(result.appended);
  EXPECT_EQ(result.signatureField, QStringLiteral("Signature1"));
  ExpectSignedWhole(input, output, 1);
  const QString pdfsig = Said(QStringLiteral("pdfsig"), {output});
  EXPECT_TRUE(pdfsig.contains(QStringLiteral("测试签名人"))) << pdfsig.toStdString();
  EXPECT_TRUE(pdfsig.contains(QStringLiteral("ETSI.CAdES.detached"))) << pdfsig.toStdString();
  for (int page = 1; page <= kPageKinds; ++page) {
    ExpectStampAt(output, page);
    SCOPED_TRACE("mupdf, page " + std::to_string(page));
    ExpectBlueStampAt(RenderPageWithMupdf(output, page), QRectF(30, 40, 25, 37.5));
  }
  // The widget carries page 1's stamp; the other pages' are stamp annotations it covers.
  const QByteArray bytes = Contents(output);
  EXPECT_EQ(bytes.count("/Subtype /Widget"), 1);
  EXPECT_EQ(bytes.count("/Subtype /Stamp"), kPageKinds - 1);
}

// Without a signature stamp the seal is the signature's face; with only a 骑缝章 the signature is
// invisible and the slices are annotations it covers.
TEST_F(Appending, TheSealIsTheFaceWithoutASignatureAndASeamAloneLeavesItInvisible) {
  const QString input = Write(QStringLiteral("plain.pdf"), PlainPdf(4));
  const QString sealed = Path(QStringLiteral("sealed.pdf")), seamed = Path(QStringLiteral("seamed.pdf"));
  SigningPlan seal = Plan(input, sealed, QStringLiteral("1"));
  seal.stamps.front().kind = Stamp::Kind::Seal;
  ASSERT_TRUE(Sign(seal).Ok());
  ExpectSignedWhole(input, sealed, 1);
  ExpectStampAt(sealed, 1);
  EXPECT_EQ(Contents(sealed).count("/Subtype /Widget"), 1);
  EXPECT_EQ(Contents(sealed).count("/Subtype /Stamp"), 0);

  SigningPlan seam = Plan(input, seamed);
  seam.stamps.clear();
  seam.seam = SeamStamp{};
  seam.seam->pages = ParsePageSelection(QStringLiteral("all"));
  seam.seam->widthMm = 40;
  const SigningResult result = Sign(seam, true);
  ASSERT_TRUE(result.Ok()) << result.failure.toStdString();
  ExpectSignedWhole(input, seamed, 1);
  const QByteArray bytes = Contents(seamed);
  EXPECT_TRUE(bytes.contains("/Rect [ 0 0 0 0 ]"));
  EXPECT_EQ(bytes.count("/Subtype /Stamp"), 4);
  // Each page shows its quarter of the seal at its right edge: 10 mm of the 40.
  for (int page = 1; page <= 4; ++page) {
    const QRect blue = BlueBounds(RenderPage(seamed, page));
    EXPECT_NEAR(blue.right() + 1, 8.5 * 144, 1) << "page " << page;
    EXPECT_LE(blue.width(), 10 * 144 / 25.4 + 1) << "page " << page;
  }
}

// A second signature appended after the first, on files whose last cross-reference section is a
// stream, and on a linearized real manual: every signature stays valid.
TEST_F(Appending, LaterSignaturesLeaveEarlierOnesValidWhateverTheFileEndsWith) {
  const QString kinds = Write(QStringLiteral("kinds.pdf"), PageKindsPdf());
  const QString streams = Path(QStringLiteral("streams.pdf"));
  const QString linearized = Path(QStringLiteral("linearized.pdf"));
  Said(QStringLiteral("qpdf"), {QStringLiteral("--object-streams=generate"), kinds, streams});
  Said(QStringLiteral("qpdf"), {QStringLiteral("--linearize"),
                                QStringLiteral("/usr/share/doc/libtasn1-doc/libtasn1.pdf"), linearized});
  for (const QString& input : {kinds, streams, linearized}) {
    SCOPED_TRACE(input.toStdString());
    const QString once = input + QStringLiteral(".1.pdf"), twice = input + QStringLiteral(".2.pdf");
    const SigningResult first = Sign(Plan(input, once, QStringLiteral("1")));
    ASSERT_TRUE(first.Ok()) << first.failure.toStdString();
    EXPECT_EQ(first.warnings.join(' ').contains(QStringLiteral("线性化")), input == linearized);
    ExpectSignedWhole(input, once, 1);
    const SigningResult second = Sign(Plan(once, twice, QStringLiteral("2")));
    ASSERT_TRUE(second.Ok()) << second.failure.toStdString();
    EXPECT_EQ(second.signatureField, QStringLiteral("Signature2"));
    ExpectSignedWhole(once, twice, 2);
    const QString mutool = Said(QStringLiteral("mutool"), {QStringLiteral("sign"), QStringLiteral("-v"), twice});
    EXPECT_TRUE(mutool.contains(QStringLiteral("valid but there have been edits since signing")) ||
                mutool.contains(QStringLiteral("edits since signing")))
        << mutool.toStdString();
  }
}

// A signature made by poppler (through an NSS database the test makes), then our stamps without
// a certificate, then our signature: all valid.
TEST_F(Appending, APopplerSignatureSurvivesOurStampsAndOurSignature) {
  const QString db = Path(QStringLiteral("nssdb"));
  QDir().mkpath(db);
  const QString sql = QStringLiteral("sql:") + db;
  Said(QStringLiteral("certutil"), {QStringLiteral("-N"), QStringLiteral("-d"), sql, QStringLiteral("--empty-password")});
  // RSA: poppler's own signing reserves too little room for an ECDSA value now and then.
  CertificateWish rsa;
  rsa.rsa = true;
  certificate = MakeTestCertificate(folder.path(), rsa);
  const QString imported = Said(QStringLiteral("pk12util"),
                                {QStringLiteral("-i"), certificate.p12, QStringLiteral("-d"), sql,
                                 QStringLiteral("-W"), QString::fromUtf8(kP12Password)});
  ASSERT_TRUE(imported.contains(QStringLiteral("SUCCESS"))) << imported.toStdString();
  const QString input = Write(QStringLiteral("plain.pdf"), PlainPdf(3));
  const QString poppler = Path(QStringLiteral("poppler.pdf"));
  const QString said = Said(QStringLiteral("pdfsig"),
                            {QStringLiteral("-nssdir"), sql, QStringLiteral("-add-signature"),
                             QStringLiteral("-nick"), QStringLiteral("测试签名人"), input, poppler});
  ASSERT_TRUE(QFileInfo::exists(poppler)) << said.toStdString();
  const QString before = Said(QStringLiteral("pdfsig"), {poppler});
  ASSERT_TRUE(before.contains(QStringLiteral("Signature is Valid."))) << before.toStdString();

  const QString stamped = Path(QStringLiteral("stamped.pdf"));
  const SigningResult stamping = Sign(Plan(poppler, stamped, QStringLiteral("2"), false));
  ASSERT_TRUE(stamping.Ok()) << stamping.failure.toStdString();
  EXPECT_TRUE(stamping.appended);
  EXPECT_TRUE(Contents(stamped).startsWith(Contents(poppler)));
  const QString afterStamps = Said(QStringLiteral("pdfsig"), {stamped});
  EXPECT_EQ(Count(afterStamps, QStringLiteral("Signature is Valid.")), 1) << afterStamps.toStdString();
  ExpectStampAt(stamped, 2);

  const QString ours = Path(QStringLiteral("ours.pdf"));
  const SigningResult signing = Sign(Plan(stamped, ours, QStringLiteral("3")));
  ASSERT_TRUE(signing.Ok()) << signing.failure.toStdString();
  ExpectSignedWhole(stamped, ours, 2);
  // --break-signatures keeps the old rewrite.
  SigningPlan rewrite = Plan(poppler, Path(QStringLiteral("rewritten.pdf")), QStringLiteral("1"), false);
  rewrite.goOnDespiteSignatures = true;
  const SigningResult rewritten = Sign(rewrite);
  ASSERT_TRUE(rewritten.Ok()) << rewritten.failure.toStdString();
  EXPECT_FALSE(rewritten.appended);
  EXPECT_FALSE(Contents(rewrite.outputPath).startsWith(Contents(poppler)));
}

// A document with its own empty signature field, on a page turned a quarter, and certified with
// each permission: what each allows is signed, the rest refused with its reason.
QByteArray FormPdf(int docMdp) {
  const QByteArray perms =
      docMdp ? " /Perms << /DocMDP 5 0 R >>" : "";
  return PdfFromObjects({
      "<< /Type /Catalog /Pages 2 0 R /AcroForm << /Fields [4 0 R] >>" + perms + " >>",
      "<< /Type /Pages /Count 1 /Kids [3 0 R] /MediaBox [0 0 612 792] >>",
      "<< /Type /Page /Parent 2 0 R /Rotate 90 /Annots [4 0 R] >>",
      "<< /FT /Sig /T <FEFF753265B9> /Type /Annot /Subtype /Widget /Rect [300 100 400 250] /P 3 0 R >>",
      "<< /Type /Sig /Reference [<< /Type /SigRef /TransformMethod /DocMDP /TransformParams "
      "<< /Type /TransformParams /P " + QByteArray::number(docMdp) + " /V /1.2 >> >>] >>",
  });
}

TEST_F(Appending, TheDocumentsOwnFieldAndItsCertificationsPermissions) {
  struct Case {
    int docMdp;
    QString field;
    bool seal;
    QString refusal;  // empty: signed
  };
  const std::vector<Case> cases = {
      {0, QStringLiteral("甲方"), false, {}},
      {1, QStringLiteral("甲方"), false, QStringLiteral("P=1")},
      {2, QStringLiteral("甲方"), false, {}},
      {2, QStringLiteral("甲方"), true, QStringLiteral("不能加盖印章")},
      {2, {}, false, QStringLiteral("--field")},
      {3, {}, true, {}},
      {0, QStringLiteral("乙方"), false, QStringLiteral("没有名为“乙方”的签名域")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("P=" + std::to_string(c.docMdp) + " field " + c.field.toStdString() +
                 (c.seal ? " with a seal" : ""));
    const QString input = Write(QStringLiteral("form.pdf"), FormPdf(c.docMdp));
    const DocumentInspection inspection = InspectDocument(input);
    EXPECT_EQ(inspection.emptySignatureFields, QStringList{QStringLiteral("甲方")});
    EXPECT_EQ(int(inspection.certification), c.docMdp);
    EXPECT_TRUE(inspection.warnings.isEmpty()) << inspection.warnings.join(' ').toStdString();
    EXPECT_TRUE(InspectDocument(Write(QStringLiteral("kinds.pdf"), PageKindsPdf())).warnings.isEmpty());
    const QString output = Path(QStringLiteral("form-%1-signed.pdf").arg(&c - cases.data()));
    SigningPlan plan = Plan(input, output, QStringLiteral("1"));
    plan.fieldName = c.field;
    if (c.seal) {
      Stamp seal = plan.stamps.front();
      seal.kind = Stamp::Kind::Seal;
      seal.topLeftMm = {100, 100};
      plan.stamps.push_back(seal);
    }
    const SigningResult result = Sign(plan);
    if (!c.refusal.isEmpty()) {
      EXPECT_EQ(result.outcome, Outcome::Failed);
      EXPECT_TRUE(result.failure.contains(c.refusal)) << result.failure.toStdString();
      EXPECT_FALSE(QFileInfo::exists(output));
      continue;
    }
    ASSERT_TRUE(result.Ok()) << result.failure.toStdString();
    const QString pdfsig = Said(QStringLiteral("pdfsig"), {output});
    // poppler checks the DocMDP signature too; the crafted one has no value, so count ours.
    EXPECT_TRUE(pdfsig.contains(QStringLiteral("Signature is Valid."))) << pdfsig.toStdString();
    if (c.field.isEmpty()) continue;
    EXPECT_EQ(result.signatureField, c.field);
    EXPECT_TRUE(pdfsig.contains(c.field)) << pdfsig.toStdString();
    // The field's rectangle, 100 × 150 points of user space on a page turned a quarter, is
    // 150 × 100 as shown, from 100 points from the left, 300 from the top; the stamp (2:3)
    // fits its height, centred.
    const double mm = 25.4 / 72;
    const QRectF field(100 * mm, 300 * mm, 150 * mm, 100 * mm);
    const double width = field.height() * 2 / 3;
    const QRectF stamp(field.center().x() - width / 2, field.top(), width, field.height());
    ExpectBlueStampAt(RenderPage(output, 1), stamp);
    ExpectBlueStampAt(RenderPageWithMupdf(output, 1), stamp);
  }
}

// What cannot be appended to is refused with one reason; nothing is written and the original
// stays as it was.
TEST_F(Appending, WhatCannotBeAppendedToIsRefusedWithItsReason) {
  QByteArray damaged = SignedFormPdf();
  const qsizetype at = damaged.lastIndexOf("startxref\n") + 10;
  damaged.replace(at, damaged.indexOf('\n', at) - at, "17");
  const QString encrypted = Path(QStringLiteral("encrypted.pdf"));
  const QString plain = Write(QStringLiteral("plain.pdf"), PlainPdf(2));
  Said(QStringLiteral("qpdf"), {plain, QStringLiteral("--encrypt"), QStringLiteral("u"), QStringLiteral("o"),
                                QStringLiteral("256"), QStringLiteral("--"), encrypted});
  struct Case {
    QString input, output, password, reason;
    bool withCertificate = true;
  };
  const std::vector<Case> cases = {
      {Write(QStringLiteral("damaged.pdf"), damaged), Path(QStringLiteral("d-signed.pdf")), {},
       QStringLiteral("交叉引用表"), false},
      {Write(QStringLiteral("damaged2.pdf"), damaged), Path(QStringLiteral("d2-signed.pdf")), {},
       QStringLiteral("交叉引用表")},
      {encrypted, Path(QStringLiteral("e-signed.pdf")), QStringLiteral("u"), QStringLiteral("加密")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input.toStdString() + " → " + c.output.toStdString());
    const QByteArray before = Contents(c.input);
    SigningPlan plan = Plan(c.input, c.output, QStringLiteral("1"), c.withCertificate);
    plan.password = c.password;
    const SigningResult result = Sign(plan);
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_TRUE(result.failure.contains(c.reason)) << result.failure.toStdString();
    EXPECT_FALSE(QFileInfo::exists(c.output));
    EXPECT_EQ(Contents(c.input), before);
  }
  // Cancelled while the original is copied: nothing written.
  const QString cancelledOutput = Path(QStringLiteral("cancelled.pdf"));
  StampArts arts;
  arts.stamps.push_back(art);
  const SigningResult cancelled = SignDocument(
      Plan(plain, cancelledOutput, QStringLiteral("1")), arts,
      [](int done, int total) { return done < total / 2 + 1; });
  EXPECT_EQ(cancelled.outcome, Outcome::Cancelled);
  EXPECT_FALSE(QFileInfo::exists(cancelledOutput));

  // A read-only disk: the old copy there stays.
  const QString disk = Path(QStringLiteral("disk"));
  ASSERT_TRUE(QDir().mkpath(disk));
  if (::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "a read-only disk is not tried: mounting a tmpfs takes root";
  const QString output = disk + QStringLiteral("/signed.pdf");
  ASSERT_TRUE(WriteBytes(output, "old signed copy"));
  ASSERT_EQ(::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
  const SigningResult readOnly = Sign(Plan(plain, output, QStringLiteral("1")));
  EXPECT_TRUE(readOnly.failure.contains(QStringLiteral("只读"))) << readOnly.failure.toStdString();
  EXPECT_EQ(Contents(output), "old signed copy");
  ::umount2(QFile::encodeName(disk).constData(), MNT_DETACH);
}

}  // namespace
