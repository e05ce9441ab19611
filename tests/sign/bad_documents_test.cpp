// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Documents that cannot be signed as asked: each gets its reason in the user's words and the
// output stays as it was; damage the library repairs, and stamps off the page, are warned about.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <sys/mount.h>

#include "sign/document_inspection.h"
#include "sign/signing_fixture.h"

using namespace yz;
using namespace yz::testing;

namespace {

using Outcome = SigningResult::Outcome;

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}


// The page-kinds document with its cross-reference offset pointing nowhere: the library rebuilds
// the table by scanning the file.
QByteArray RepairablePdf() {
  QByteArray bytes = PageKindsPdf();
  const qsizetype at = bytes.lastIndexOf("startxref\n") + 10;
  bytes.replace(at, bytes.indexOf('\n', at) - at, "17");
  return bytes;
}

class BadDocuments : public ::testing::Test {
 protected:
  void SetUp() override {
    input = folder.filePath(QStringLiteral("合同.pdf"));
    output = folder.filePath(QStringLiteral("合同-已签.pdf"));
    ASSERT_TRUE(WriteBytes(output, "old signed copy"));
  }
  // Encrypts the page-kinds document with the library's own tool.
  void Encrypt(const QStringList& options) {
    const QString plain = elsewhere.filePath(QStringLiteral("plain.pdf"));
    ASSERT_TRUE(WriteBytes(plain, PageKindsPdf()));
    int status = -1;
    ToolOutput(QStringLiteral("qpdf"), QStringList{plain, QStringLiteral("--encrypt")} + options +
                                           QStringList{QStringLiteral("--"), input}, &status);
    ASSERT_EQ(status, 0);
  }
  SigningResult Sign(const QString& password = {}, bool goOn = false, const QString& pages = "all",
                     QPointF at = {30, 40}) {
    SigningPlan plan = OneStampPlan(input, output, pages, at, 25);
    plan.password = password;
    plan.goOnDespiteSignatures = goOn;
    StampArts arts;
    arts.stamps.push_back(BlueStamp());
    return SignDocument(plan, arts);
  }
  void ExpectRefused(const SigningResult& result, Outcome outcome, const QString& reason) {
    EXPECT_EQ(int(result.outcome), int(outcome)) << result.failure.toStdString();
    EXPECT_TRUE(result.failure.contains(reason)) << result.failure.toStdString();
    EXPECT_EQ(Contents(output), "old signed copy");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), QFile::exists(input) ? 2 : 1);
  }
  void ExpectWritten(const SigningResult& result) {
    EXPECT_TRUE(result.Ok()) << result.failure.toStdString();
    EXPECT_TRUE(Contents(output).startsWith("%PDF-"));
  }

  QTemporaryDir folder, elsewhere;
  QString input, output;
};

}  // namespace

TEST_F(BadDocuments, WhatIsNoPdfOrBrokenBeyondRepairIsRefusedByName) {
  const struct {
    const char* what;
    std::optional<QByteArray> bytes;  // none: no file at all
    QString reason;
  } cases[] = {
      {"missing", std::nullopt, QStringLiteral("找不到文档：") + "%1"},
      {"empty", QByteArray(), QStringLiteral("文档是空的")},
      {"a picture", QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(200, 'x'), QStringLiteral("不是 PDF 文档")},
      {"garbage after the header", "%PDF-1.4\n" + QByteArray(3000, '#'), QStringLiteral("文档已损坏，无法修复")},
      {"no pages", PdfFromObjects({"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Count 0 /Kids [] >>"}),
       QStringLiteral("文档里没有页面")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QFile::remove(input);
    if (c.bytes) ASSERT_TRUE(WriteBytes(input, *c.bytes));
    ExpectRefused(Sign(), Outcome::Failed, c.reason.contains("%1") ? c.reason.arg(input) : c.reason);
    const DocumentInspection inspection = InspectDocument(input);
    EXPECT_FALSE(inspection.CanSign());
    EXPECT_TRUE(inspection.failure.contains(c.reason.contains("%1") ? c.reason.arg(input) : c.reason))
        << inspection.failure.toStdString();
  }
}

TEST_F(BadDocuments, RepairableDamageIsSignedWithAWarning) {
  ASSERT_TRUE(WriteBytes(input, RepairablePdf()));
  const SigningResult result = Sign();
  ExpectWritten(result);
  ASSERT_FALSE(result.warnings.isEmpty());
  EXPECT_TRUE(result.warnings.first().contains(QStringLiteral("已自动修复"))) << result.warnings.first().toStdString();
  EXPECT_FALSE(InspectDocument(input).warnings.isEmpty());
  int status = -1;
  ToolOutput(QStringLiteral("qpdf"), {QStringLiteral("--check"), output}, &status);
  EXPECT_EQ(status, 0);
}

TEST_F(BadDocuments, AUserPasswordIsAskedForAndAWrongOneRefused) {
  Encrypt({QStringLiteral("开门"), QStringLiteral("owner"), QStringLiteral("256")});
  EXPECT_EQ(InspectDocument(input).access, DocumentInspection::Access::NeedsPassword);
  EXPECT_EQ(InspectDocument(input, QStringLiteral("错的")).access, DocumentInspection::Access::WrongPassword);
  ExpectRefused(Sign(), Outcome::NeedsPassword, QStringLiteral("需要密码"));
  ExpectRefused(Sign(QStringLiteral("错的")), Outcome::WrongPassword, QStringLiteral("密码不对"));
  const DocumentInspection opened = InspectDocument(input, QStringLiteral("开门"));
  EXPECT_TRUE(opened.CanSign());
  EXPECT_EQ(opened.pageCount, kPageKinds);
  ExpectWritten(Sign(QStringLiteral("开门")));
  // The signed copy keeps the document's protection.
  QPDF copy;
  EXPECT_THROW(copy.processFile(QFile::encodeName(output).constData()), QPDFExc);
}

TEST_F(BadDocuments, AnOwnerRestrictionAgainstChangesIsRespected) {
  Encrypt({QString(), QStringLiteral("owner"), QStringLiteral("256"), QStringLiteral("--modify=none")});
  EXPECT_TRUE(InspectDocument(input).modificationForbidden);
  ExpectRefused(Sign(), Outcome::Failed, QStringLiteral("禁止修改"));
  // The owner may.
  EXPECT_FALSE(InspectDocument(input, QStringLiteral("owner")).modificationForbidden);
  ExpectWritten(Sign(QStringLiteral("owner")));
}

// A signed document gets its stamps appended after its bytes, which signatures cover, unless
// told to rewrite it.
TEST_F(BadDocuments, ExistingDigitalSignaturesAreNotBrokenUnlessToldToGoOn) {
  ASSERT_TRUE(WriteBytes(input, SignedFormPdf()));
  EXPECT_TRUE(InspectDocument(input).holdsDigitalSignatures);
  const SigningResult appended = Sign();
  ExpectWritten(appended);
  EXPECT_TRUE(appended.appended);
  EXPECT_TRUE(Contents(output).startsWith(SignedFormPdf()));
  const SigningResult rewritten = Sign({}, true);
  ExpectWritten(rewritten);
  EXPECT_FALSE(rewritten.appended);
  EXPECT_FALSE(Contents(output).startsWith(SignedFormPdf()));
  ASSERT_TRUE(WriteBytes(input, PageKindsPdf()));
  EXPECT_FALSE(InspectDocument(input).holdsDigitalSignatures);
}

TEST_F(BadDocuments, PagesOutOfRangeAreRefusedAndStampsOffThePageWarned) {
  ASSERT_TRUE(WriteBytes(input, PageKindsPdf()));
  ExpectRefused(Sign({}, false, QStringLiteral("3,12")), Outcome::Failed,
                QStringLiteral("第 12 页超出范围：文档只有 9 页"));
  const SigningResult off = Sign({}, false, QStringLiteral("1-2"), {270, 40});
  ExpectWritten(off);
  ASSERT_EQ(off.warnings.size(), 1);
  EXPECT_TRUE(off.warnings[0].contains(QStringLiteral("页面之外（第 1、2 页）"))) << off.warnings[0].toStdString();
}

// A target that cannot take the file: the old one stays whole and no temporary is left.
TEST_F(BadDocuments, AFullOrReadOnlyDiskKeepsTheOldCopyWhole) {
  ASSERT_TRUE(WriteBytes(input, PageKindsPdf()));
  const QString disk = folder.filePath(QStringLiteral("disk"));
  ASSERT_TRUE(QDir().mkpath(disk));
  if (::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "a full disk is not tried: mounting a tmpfs takes root";
  output = disk + QStringLiteral("/合同-已签.pdf");
  ASSERT_TRUE(WriteBytes(output, "old signed copy"));
  QFile filler(disk + QStringLiteral("/filler"));
  ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
  while (filler.write(QByteArray(4096, 'x')) > 0 && filler.flush()) {
  }
  filler.close();
  SigningResult full = Sign();
  EXPECT_TRUE(full.failure.contains(QStringLiteral("磁盘空间不足"))) << full.failure.toStdString();
  EXPECT_EQ(Contents(output), "old signed copy");
  QFile::remove(disk + QStringLiteral("/filler"));
  ASSERT_EQ(::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
  const SigningResult readOnly = Sign();
  EXPECT_TRUE(readOnly.failure.contains(QStringLiteral("只读"))) << readOnly.failure.toStdString();
  EXPECT_EQ(Contents(output), "old signed copy");
  EXPECT_EQ(QDir(disk).entryList(QDir::Files | QDir::Hidden), QStringList({QStringLiteral("合同-已签.pdf")}));
  ::umount2(QFile::encodeName(disk).constData(), MNT_DETACH);
}

TEST_F(BadDocuments, ACancelledSigningWritesNothing) {
  ASSERT_TRUE(WriteBytes(input, PageKindsPdf()));
  SigningPlan plan = OneStampPlan(input, output, QStringLiteral("all"), {30, 40}, 25);
  StampArts arts;
  arts.stamps.push_back(BlueStamp());
  QList<int> told;
  int total = 0;
  const auto progress = [&](int done, int of) {
    told << done;
    total = of;
    return done < of;  // stops at the very last step, once the file is all but written
  };
  ExpectRefused(SignDocument(plan, arts, progress), Outcome::Cancelled, QStringLiteral("已取消"));
  EXPECT_EQ(total, 2 * kPageKinds);
  EXPECT_EQ(told.first(), 0);
  EXPECT_EQ(told.last(), total);
  EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
}
