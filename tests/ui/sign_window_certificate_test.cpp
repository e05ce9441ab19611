// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The signing window with a certificate: one made here or imported, its password asked when
// saving (a wrong one asked again, none kept in the settings), the file just written checked,
// a document's own signatures listed when it opens and left valid, its empty fields offered
// and its certification's permissions told.
#include <gtest/gtest.h>

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QThread>

#include "certificates/nss_databases.h"

#include "sign/signing_fixture.h"
#include "ui/sign/create_certificate_dialog.h"
#include "ui/sign/signatures_panel.h"
#include "ui/sign_window_fixture.h"
#include "verification/verify_signatures.h"

using namespace yz;
using yz::testing::Bytes;

namespace {

constexpr char kPassword[] = "春眠不觉晓-42";

TEST(CertificateOrder, EachProblemIsNamedAndAGoodOrderHasNone) {
  const MyCertificateOrder good{QStringLiteral("纪元朗"), QStringLiteral("ji@example.com"), {}, MyKeyKind::EcdsaP256,
                                QStringLiteral("pw")};
  EXPECT_EQ(CertificateOrderProblem(good, QStringLiteral("pw")), QString());
  MyCertificateOrder order = good;
  order.email.clear();
  EXPECT_EQ(CertificateOrderProblem(order, QStringLiteral("pw")), QString()) << "the e-mail may be left out";
  const struct {
    MyCertificateOrder order;
    QString again;
    QString says;
  } bad[] = {
      {{QStringLiteral("  "), {}, {}, MyKeyKind::Rsa3072, QStringLiteral("pw")}, QStringLiteral("pw"), QStringLiteral("姓名")},
      {{QStringLiteral("纪元朗"), QStringLiteral("ji.example.com"), {}, MyKeyKind::EcdsaP256, QStringLiteral("pw")},
       QStringLiteral("pw"), QStringLiteral("电子邮件")},
      {{QStringLiteral("纪元朗"), {}, {}, MyKeyKind::EcdsaP256, {}}, {}, QStringLiteral("密码")},
      {good, QStringLiteral("pw2"), QStringLiteral("不一样")},
  };
  for (const auto& c : bad) EXPECT_TRUE(CertificateOrderProblem(c.order, c.again).contains(c.says)) << c.says.toStdString();

  CreateCertificateDialog dialog(QStringLiteral(" 纪元朗 "));
  EXPECT_EQ(dialog.txtName->text(), QStringLiteral("纪元朗"));
  EXPECT_FALSE(dialog.buttons->button(QDialogButtonBox::Ok)->isEnabled()) << "no password yet";
  dialog.txtPassword->setText(QStringLiteral("pw"));
  dialog.txtPasswordAgain->setText(QStringLiteral("pw"));
  EXPECT_TRUE(dialog.buttons->button(QDialogButtonBox::Ok)->isEnabled());
  EXPECT_TRUE(dialog.lblProblem->text().isEmpty());
}

DocumentSignature Checked(const QString& field, SignatureCheck::Verdict verdict, int covers, int of,
                          SignatureCheck::Trust trust = SignatureCheck::Trust::Unknown) {
  DocumentSignature signature;
  signature.fieldName = field;
  signature.signer = QStringLiteral("纪元朗");
  SignatureCheck check;
  check.verdict = verdict;
  check.reason = verdict == SignatureCheck::Verdict::Intact ? QString() : QStringLiteral("摘要不符");
  check.coversRevision = covers;
  check.revisions = of;
  check.coversWholeDocument = covers == of;
  check.trust = trust;
  signature.check = check;
  return signature;
}

TEST(SavedVerdict, TellsTheNewSignatureAndEveryEarlierOneThatBroke) {
  using Verdict = SignatureCheck::Verdict;
  DocumentSignatures checked;
  checked.fields = {Checked(QStringLiteral("甲方"), Verdict::Intact, 2, 3),
                    Checked(QStringLiteral("Signature1"), Verdict::Intact, 3, 3)};
  QString verdict = SavedVerdict(checked, QStringLiteral("Signature1"));
  EXPECT_TRUE(verdict.startsWith(QStringLiteral("已签名，签名有效"))) << verdict.toStdString();
  EXPECT_TRUE(verdict.contains(QStringLiteral("身份未知")));
  EXPECT_TRUE(verdict.contains(QStringLiteral("原有的 1 个签名仍然有效")));

  checked.fields[1].check->trust = SignatureCheck::Trust::Trusted;
  EXPECT_TRUE(SavedVerdict(checked, QStringLiteral("Signature1")).contains(QStringLiteral("证书可信")));

  checked.fields[0].check->verdict = Verdict::Altered;
  checked.fields[1].check->verdict = Verdict::Unverifiable;
  verdict = SavedVerdict(checked, QStringLiteral("Signature1"));
  EXPECT_TRUE(verdict.startsWith(QStringLiteral("签名无效"))) << verdict.toStdString();
  EXPECT_TRUE(verdict.contains(QStringLiteral("原有签名“甲方”"))) << verdict.toStdString();
  EXPECT_FALSE(verdict.contains(QStringLiteral("已签名")));

  EXPECT_TRUE(SavedVerdict(checked, QStringLiteral("乙方")).contains(QStringLiteral("找不到新签名“乙方”")));
  checked.failure = QStringLiteral("文件已损坏");
  EXPECT_TRUE(SavedVerdict(checked, {}).contains(QStringLiteral("文件已损坏")));

  // The side panel's few words: an earlier revision's coverage, and what broke.
  EXPECT_TRUE(SignatureBrief(Checked(QStringLiteral("甲方"), Verdict::Intact, 2, 3))
                  .contains(QStringLiteral("有效，覆盖第 2 版（共 3 版）")));
  EXPECT_TRUE(SignatureBrief(Checked(QStringLiteral("甲方"), Verdict::Altered, 3, 3)).contains(QStringLiteral("签名后已被修改")));
  EXPECT_TRUE(SignatureBrief(Checked(QStringLiteral("甲方"), Verdict::Unverifiable, 0, 3)).contains(QStringLiteral("无法验证")));
}

// A document with its own empty signature field 甲方 on page 1, certified with `docMdp` (0: not).
QByteArray FormPdf(int docMdp) {
  const QByteArray perms = docMdp ? " /Perms << /DocMDP 5 0 R >>" : "";
  return yz::testing::PdfFromObjects({
      "<< /Type /Catalog /Pages 2 0 R /AcroForm << /Fields [4 0 R] >>" + perms + " >>",
      "<< /Type /Pages /Count 1 /Kids [3 0 R] /MediaBox [0 0 595 842] >>",
      "<< /Type /Page /Parent 2 0 R /Annots [4 0 R] >>",
      "<< /FT /Sig /T <FEFF753265B9> /Type /Annot /Subtype /Widget /Rect [300 100 400 150] /P 3 0 R >>",
      "<< /Type /Sig /Reference [<< /Type /SigRef /TransformMethod /DocMDP /TransformParams "
      "<< /Type /TransformParams /P " + QByteArray::number(docMdp) + " /V /1.2 >> >>] >>",
  });
}

// The user's data and home in folders of the test's own: certificates made here and the
// desktop's databases are the test's, never a user's.
class SignCertificateTest : public yz::testing::SignWindowTest {
 protected:
  void SetUp() override {
    savedHome_ = qgetenv("HOME");
    savedData_ = qgetenv("XDG_DATA_HOME");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    SignWindowTest::SetUp();
  }
  void TearDown() override {
    SignWindowTest::TearDown();
    qputenv("HOME", savedHome_);
    qputenv("XDG_DATA_HOME", savedData_);
  }

  static int Item(const QComboBox* box, const QString& data) { return box->findData(data); }

  // 创建我的证书… with the dialog answered, declining the export.
  void CreateCertificate(SignWindow& signing) {
    signing.certificate->askNewCertificate = [this](const QString& name) -> std::optional<MyCertificateOrder> {
      nameOffered = name;
      return MyCertificateOrder{name, {}, {}, MyKeyKind::EcdsaP256, QString::fromUtf8(kPassword)};
    };
    messages.answer = false;
    QComboBox* box = signing.certificate->cboCertificate;
    box->setCurrentIndex(Item(box, QStringLiteral("create")));
    messages.answer = true;
  }

  // Saves into `name`, the password typed once (right).
  bool SaveAs(SignWindow& signing, const QString& name) {
    signing.certificate->askPassword = [](const QString&, bool) { return QString::fromUtf8(kPassword); };
    saveDialog.answer = {true, dir.filePath(name), 0};
    return signing.Save();
  }

  QTemporaryDir home;
  QString nameOffered;

 private:
  QByteArray savedHome_, savedData_;
};

TEST_F(SignCertificateTest, ACertificateMadeHereSignsAndTheFileJustWrittenIsCheckedAndValid) {
  SignWindow& signing = Opened();
  QComboBox* box = signing.certificate->cboCertificate;
  EXPECT_EQ(box->currentIndex(), 0) << "无 until one is chosen";
  EXPECT_GE(Item(box, QStringLiteral("import")), 1);

  const QString cer = dir.filePath(QStringLiteral("我的证书.cer"));
  signing.certificate->askNewCertificate = [this](const QString& name) -> std::optional<MyCertificateOrder> {
    nameOffered = name;
    return MyCertificateOrder{name, QStringLiteral("ji@example.com"), {}, MyKeyKind::EcdsaP256,
                              QString::fromUtf8(kPassword)};
  };
  saveDialog.answer = {true, cer, 0};
  box->setCurrentIndex(Item(box, QStringLiteral("create")));
  EXPECT_FALSE(nameOffered.isEmpty()) << "the main window's name";
  ASSERT_TRUE(signing.certificate->Chosen());
  EXPECT_EQ(signing.certificate->Chosen()->summary.subject, nameOffered);
  ASSERT_FALSE(messages.asked.isEmpty());
  EXPECT_TRUE(messages.asked.back().text.contains(QStringLiteral("identity unknown")));
  EXPECT_TRUE(QFile::exists(cer)) << "exported to send to the other party";

  // The password: a wrong one says so and asks again; nothing is kept in the settings.
  QList<bool> wrongBefore;
  signing.certificate->askPassword = [&](const QString&, bool wrong) {
    wrongBefore << wrong;
    return wrongBefore.size() == 1 ? QStringLiteral("不对") : QString::fromUtf8(kPassword);
  };
  signing.certificate->txtReason->setText(QStringLiteral("同意"));
  const QString out = dir.filePath(QStringLiteral("合同-已签.pdf"));
  saveDialog.answer = {true, out, 0};
  ASSERT_TRUE(signing.Save()) << (messages.shown.isEmpty() ? "" : messages.shown.back().text.toStdString());
  EXPECT_EQ(wrongBefore, (QList<bool>{false, true}));
  EXPECT_TRUE(messages.shown.back().text.contains(QStringLiteral("已签名，签名有效"))) << messages.shown.back().text.toStdString();
  EXPECT_TRUE(Bytes(out).startsWith(Bytes(document))) << "appended after the original bytes";
  const DocumentSignatures checked = VerifyDocumentSignatures(out);
  ASSERT_EQ(checked.SignatureCount(), 1);
  EXPECT_EQ(checked.fields.front().check->verdict, SignatureCheck::Verdict::Intact);
  EXPECT_EQ(checked.fields.front().reason, QStringLiteral("同意"));

  const auto settings = remembered::Settings();
  settings->sync();
  const QByteArray stored = Bytes(settings->fileName());
  EXPECT_TRUE(stored.contains("signing/certificate") || stored.contains("certificate=file"));
  EXPECT_FALSE(stored.contains(QByteArray(kPassword))) << "never a password in the settings";
  EXPECT_FALSE(stored.contains("不对"));

  // Chosen again in a window opened later; the key was unlocked while the window was open only.
  signing.close();
  SignWindow* again = OpenSigning(document);
  ASSERT_TRUE(again && again->certificate->Chosen());
  EXPECT_EQ(again->certificate->txtReason->text(), QStringLiteral("同意"));
  int asked = 0;
  again->certificate->askPassword = [&](const QString&, bool) {
    ++asked;
    return QString::fromUtf8(kPassword);
  };
  for (const QString name : {QStringLiteral("再签.pdf"), QStringLiteral("三签.pdf")}) {
    saveDialog.answer = {true, dir.filePath(name), 0};
    ASSERT_TRUE(again->Save());
  }
  EXPECT_EQ(asked, 1) << "asked again after the window closed, and once while it stays open";
}

TEST_F(SignCertificateTest, GivingUpThePasswordOrAFileThatIsNoCertificateWritesNothing) {
  SignWindow& signing = Opened();
  CreateCertificate(signing);
  signing.certificate->askPassword = [](const QString&, bool) { return std::nullopt; };
  const QString out = dir.filePath(QStringLiteral("不写.pdf"));
  saveDialog.answer = {true, out, 0};
  EXPECT_FALSE(signing.Save());
  EXPECT_FALSE(QFile::exists(out));

  // Imported: a wrong password asks again; a file that is no PKCS#12 is refused with its reason.
  const QString p12 = signing.certificate->Chosen()->pkcs12Path;
  const QString outside = dir.filePath(QStringLiteral("别处.p12"));
  ASSERT_TRUE(QFile::copy(p12, outside));
  QList<bool> wrongBefore;
  signing.certificate->askPassword = [&](const QString&, bool wrong) {
    wrongBefore << wrong;
    return wrongBefore.size() == 1 ? QStringLiteral("不对") : QString::fromUtf8(kPassword);
  };
  openDialog.answer = outside;
  QComboBox* box = signing.certificate->cboCertificate;
  const int before = box->count();
  box->setCurrentIndex(Item(box, QStringLiteral("import")));
  EXPECT_EQ(wrongBefore, (QList<bool>{false, true}));
  EXPECT_EQ(box->count(), before + 1) << "the imported copy is listed";
  ASSERT_TRUE(signing.certificate->Chosen());
  EXPECT_NE(signing.certificate->Chosen()->pkcs12Path, outside) << "kept as a copy of its own";

  const QString junk = dir.filePath(QStringLiteral("坏的.p12"));
  ASSERT_TRUE(yz::testing::WriteBytes(junk, "not a certificate"));
  openDialog.answer = junk;
  const int shown = int(messages.shown.size());
  box->setCurrentIndex(Item(box, QStringLiteral("import")));
  ASSERT_EQ(messages.shown.size(), shown + 1);
  EXPECT_TRUE(messages.shown.back().text.contains(QStringLiteral("PKCS#12")));
  EXPECT_EQ(box->count(), before + 1);
}

TEST_F(SignCertificateTest, ASignedDocumentOpensWithoutAQuestionListsItsSignaturesAndStaysValid) {
  SignWindow& signing = Opened();
  EXPECT_TRUE(signing.signatures->isHidden()) << "no signatures: no panel";
  CreateCertificate(signing);
  ASSERT_TRUE(SaveAs(signing, QStringLiteral("一签.pdf")));
  const QString once = dir.filePath(QStringLiteral("一签.pdf"));

  const int asked = int(messages.asked.size());
  ASSERT_TRUE(signing.Open(once));
  EXPECT_EQ(messages.asked.size(), asked) << "no question about breaking signatures";
  EXPECT_FALSE(signing.signatures->isHidden());
  EXPECT_TRUE(signing.signatures->lblSignatures->text().contains(QStringLiteral("有效")));
  EXPECT_TRUE(signing.signatures->lblSignatures->text().contains(nameOffered));

  // Signed again: the first still valid, covering the revision it signed.
  ASSERT_TRUE(SaveAs(signing, QStringLiteral("二签.pdf")));
  EXPECT_TRUE(messages.shown.back().text.contains(QStringLiteral("原有的 1 个签名仍然有效"))) << messages.shown.back().text.toStdString();
  const DocumentSignatures twice = VerifyDocumentSignatures(dir.filePath(QStringLiteral("二签.pdf")));
  ASSERT_EQ(twice.SignatureCount(), 2);
  for (const DocumentSignature& signature : twice.fields)
    EXPECT_EQ(signature.check->verdict, SignatureCheck::Verdict::Intact) << signature.fieldName.toStdString();
  EXPECT_EQ(twice.fields.front().check->coversRevision, 2);
  EXPECT_EQ(twice.fields.front().check->revisions, 3);

  // Stamps only, on a document signed by others: appended, never rewritten.
  const QString form = dir.filePath(QStringLiteral("已有签名.pdf"));
  ASSERT_TRUE(yz::testing::WriteBytes(form, yz::testing::SignedFormPdf()));
  ASSERT_TRUE(signing.Open(form));
  EXPECT_TRUE(signing.signatures->lblSignatures->text().contains(QStringLiteral("无法验证")));
  signing.certificate->cboCertificate->setCurrentIndex(0);
  ASSERT_TRUE(SaveAs(signing, QStringLiteral("加章.pdf")));
  EXPECT_TRUE(Bytes(dir.filePath(QStringLiteral("加章.pdf"))).startsWith(Bytes(form)));
}

TEST_F(SignCertificateTest, TheDocumentsOwnEmptyFieldIsOfferedAndItsCertificationObeyed) {
  SignWindow& signing = Opened();
  CreateCertificate(signing);
  const QString form = dir.filePath(QStringLiteral("表单.pdf"));
  ASSERT_TRUE(yz::testing::WriteBytes(form, FormPdf(0)));
  ASSERT_TRUE(signing.Open(form));
  QComboBox* fields = signing.certificate->cboField;
  ASSERT_EQ(fields->count(), 2);
  EXPECT_TRUE(fields->itemText(1).contains(QStringLiteral("甲方")));
  EXPECT_TRUE(fields->itemText(1).contains(QStringLiteral("第 1 页")));
  fields->setCurrentIndex(1);
  EXPECT_EQ(signing.certificate->FieldName(), QStringLiteral("甲方"));
  ASSERT_TRUE(SaveAs(signing, QStringLiteral("表单-已签.pdf")));
  const DocumentSignatures checked = VerifyDocumentSignatures(dir.filePath(QStringLiteral("表单-已签.pdf")));
  ASSERT_EQ(checked.fields.size(), 1u) << "signed into the field, no new one";
  EXPECT_FALSE(checked.fields.front().empty);
  EXPECT_EQ(checked.fields.front().check->verdict, SignatureCheck::Verdict::Intact);

  // No changes allowed: refused when opened, with the reason.
  ASSERT_TRUE(yz::testing::WriteBytes(form, FormPdf(1)));
  const int shown = int(messages.shown.size());
  EXPECT_FALSE(signing.Open(form));
  ASSERT_EQ(messages.shown.size(), shown + 1);
  EXPECT_TRUE(messages.shown.back().text.contains(QStringLiteral("P=1")));
  // Forms and signatures only: its field chosen at once and the limits said.
  ASSERT_TRUE(yz::testing::WriteBytes(form, FormPdf(2)));
  ASSERT_TRUE(signing.Open(form));
  EXPECT_EQ(signing.certificate->FieldName(), QStringLiteral("甲方"));
  EXPECT_TRUE(signing.certificate->lblNote->text().contains(QStringLiteral("只允许")));
}

// A desktop NSS database with a password at `folder`, holding the key of `p12`.
bool MakeLockedDatabase(const QString& folder, const QString& p12, const QString& passwordFile) {
  QDir().mkpath(folder);
  const auto run = [](const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
  };
  return run(QStringLiteral("certutil"), {"-N", "-d", "sql:" + folder, "-f", passwordFile}) &&
         run(QStringLiteral("pk12util"), {"-i", p12, "-d", "sql:" + folder, "-W", QString::fromUtf8(kPassword), "-k",
                                          passwordFile});
}

TEST_F(SignCertificateTest, ADatabasesPasswordIsAskedOnlyWhenChosenAndAlwaysOnTheWindowsThread) {
  const QString passwordFile = dir.filePath(QStringLiteral("db-password"));
  ASSERT_TRUE(yz::testing::WriteBytes(passwordFile, "库密码\n"));
  const MyCertificate made =
      CreateMyCertificate({QStringLiteral("库中人"), {}, {}, MyKeyKind::EcdsaP256, QString::fromUtf8(kPassword)});
  const QString shared = home.filePath(QStringLiteral(".pki/nssdb"));
  const QString other = home.filePath(QStringLiteral("other-db"));
  ASSERT_TRUE(MakeLockedDatabase(shared, made.pkcs12Path, passwordFile));
  ASSERT_TRUE(MakeLockedDatabase(other, made.pkcs12Path, passwordFile));

  QList<bool> wrongBefore;
  QList<bool> onWindowThread;
  UseWindowNssPrompt([&](const QString&, bool wrong) -> std::optional<QString> {
    wrongBefore << wrong;
    onWindowThread << (QThread::currentThread() == qApp->thread());
    return wrongBefore.size() == 1 ? QStringLiteral("不对") : QStringLiteral("库密码");
  });
  SignWindow& signing = Opened();
  QComboBox* box = signing.certificate->cboCertificate;
  EXPECT_TRUE(wrongBefore.isEmpty()) << "opening the window asks no database for its password";
  const int unlock = box->findData(QStringLiteral("unlock:") + shared);
  ASSERT_GE(unlock, 0);
  box->setCurrentIndex(unlock);
  EXPECT_EQ(wrongBefore, (QList<bool>{false, true})) << "a wrong password is asked again";
  bool listed = false;
  for (int i = 0; i < box->count(); ++i) listed |= box->itemData(i, Qt::ToolTipRole).toString().contains(QStringLiteral(".pki/nssdb"));
  EXPECT_TRUE(listed) << "its certificate listed once unlocked";
  EXPECT_EQ(box->findData(QStringLiteral("unlock:") + shared), -1);

  // Asked from the signing's worker thread: answered by the window's thread while it waits.
  wrongBefore = {true};  // the next answer is the right one
  onWindowThread.clear();
  size_t found = 0;
  QEventLoop loop;
  std::unique_ptr<QThread> worker(QThread::create([&] { found = ListNssSigningCertificates(other).size(); }));
  QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
  worker->start();
  loop.exec();
  worker->wait();
  EXPECT_EQ(found, 1u);
  EXPECT_EQ(onWindowThread, (QList<bool>{true}));
  UseWindowNssPrompt(AskSecretInDialog);
}

// A PKCS#12 file (password "pw") whose certificate was valid in 2020 only, made by the openssl tool.
QString ExpiredPkcs12(const QString& folder) {
  const QString script = QStringLiteral(R"(set -e
cd "$1"
touch index.txt; echo 01 > serial
printf '[ca]\ndefault_ca = own\n[own]\ndatabase = index.txt\nnew_certs_dir = .\ndefault_md = sha256\npolicy = any\nserial = serial\n[any]\ncommonName = supplied\n' > ca.cnf
openssl req -new -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -subj /CN=expired -keyout k.pem -out r.csr
openssl ca -batch -config ca.cnf -selfsign -keyfile k.pem -in r.csr -out c.pem -startdate 20200101000000Z -enddate 20210101000000Z
openssl pkcs12 -export -inkey k.pem -in c.pem -out expired.p12 -passout pass:pw)");
  QProcess process;
  process.start(QStringLiteral("bash"), {QStringLiteral("-c"), script, QStringLiteral("bash"), folder});
  const bool made = process.waitForFinished(60000) && process.exitCode() == 0;
  return made ? QDir(folder).filePath(QStringLiteral("expired.p12")) : QString();
}

TEST_F(SignCertificateTest, AnExpiredCertificateIsWarnedAboutAndUsedOnlyWhenTheUserSaysSo) {
  const QString p12 = ExpiredPkcs12(dir.path());
  ASSERT_FALSE(p12.isEmpty());
  ImportMyCertificate(p12, QStringLiteral("pw"));
  SignWindow& signing = Opened();
  QComboBox* box = signing.certificate->cboCertificate;
  int index = -1;
  for (int i = 0; i < box->count(); ++i)
    if (box->itemText(i).startsWith(QStringLiteral("expired"))) index = i;
  ASSERT_GE(index, 0);
  box->setCurrentIndex(index);
  EXPECT_TRUE(signing.certificate->lblNote->text().contains(QStringLiteral("已过期")));

  int asked = 0;
  signing.certificate->askPassword = [&](const QString&, bool) {
    ++asked;
    return QStringLiteral("pw");
  };
  const QString out = dir.filePath(QStringLiteral("过期签.pdf"));
  saveDialog.answer = {true, out, 0};
  messages.answer = false;
  EXPECT_FALSE(signing.Save());
  ASSERT_FALSE(messages.asked.isEmpty());
  EXPECT_TRUE(messages.asked.back().text.contains(QStringLiteral("已过期")));
  EXPECT_EQ(asked, 0) << "declined before any password";
  EXPECT_FALSE(QFile::exists(out));
  messages.answer = true;
  EXPECT_TRUE(signing.Save());
  EXPECT_EQ(VerifyDocumentSignatures(out).SignatureCount(), 1);
}

}  // namespace
