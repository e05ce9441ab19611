// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sign/certificate_choice.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QShortcut>

#include "certificates/certificate_summary.h"
#include "certificates/nss_databases.h"
#include "certificates/pkcs12_file.h"
#include "output/export_signature.h"
#include "seams/failure.h"
#include "ui/sign/create_certificate_dialog.h"
#include "ui/sign/remembered.h"

namespace yz {

namespace {

const QString kImport = QStringLiteral("import");
const QString kCreate = QStringLiteral("create");
const QString kUnlock = QStringLiteral("unlock:");
const QString kCertificate = QStringLiteral("cert:");

QString Setting(const QString& key) {
  return remembered::Settings()->value(QStringLiteral("signing/") + key).toString();
}

}  // namespace

SignCertificateChoice::SignCertificateChoice(MessageBox& messages, OpenDialog& openDialog,
                                             SaveDialog& saveDialog, QWidget* parent)
    : QGroupBox(QStringLiteral("数字证书"), parent),
      messages_(messages),
      openDialog_(openDialog),
      saveDialog_(saveDialog) {
  askPassword = AskSecretInDialog;
  askNewCertificate = [this](const QString& name) -> std::optional<MyCertificateOrder> {
    CreateCertificateDialog dialog(name, window());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Order();
  };
  cboCertificate = new QComboBox;
  cboCertificate->setAccessibleName(QStringLiteral("数字证书"));
  cboCertificate->setToolTip(QStringLiteral("无：只盖签名和印章的图样；选一张证书：同时做数字签名（Alt+C）"));
  // The group box's own mnemonic would look for the combo box next to the group in the tab
  // order, which the window arranges otherwise: the key goes to the choice itself.
  new QShortcut(QKeySequence(Qt::ALT | Qt::Key_C), this, [this] { cboCertificate->setFocus(Qt::ShortcutFocusReason); });
  cboCertificate->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cboCertificate->setMinimumContentsLength(8);
  btnExport = new QToolButton;
  btnExport->setText(QStringLiteral("导出…"));
  btnExport->setToolTip(QStringLiteral("导出证书（.cer，不含私钥），发给对方导入信任"));
  btnExport->setAccessibleName(QStringLiteral("导出证书"));
  cboField = new QComboBox;
  cboField->setAccessibleName(QStringLiteral("签入的签名域"));
  cboField->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cboField->setMinimumContentsLength(8);
  txtReason = new QLineEdit(Setting(QStringLiteral("reason")));
  txtReason->setPlaceholderText(QStringLiteral("可不填，例如：同意"));
  txtLocation = new QLineEdit(Setting(QStringLiteral("location")));
  txtLocation->setPlaceholderText(QStringLiteral("可不填，例如：北京"));
  txtTimestamp = new QLineEdit(Setting(QStringLiteral("timestampUrl")));
  txtTimestamp->setPlaceholderText(QStringLiteral("可不填：http://…"));
  txtTimestamp->setToolTip(QStringLiteral("RFC 3161 时间戳服务器的网址，签名时向它要一个可信时间"));
  const std::pair<QLineEdit*, QString> names[] = {{txtReason, QStringLiteral("签名原因")},
                                                  {txtLocation, QStringLiteral("签名地点")},
                                                  {txtTimestamp, QStringLiteral("时间戳服务器")}};
  for (const auto& [field, accessible] : names) field->setAccessibleName(accessible);
  lblNote = new QLabel;
  lblNote->setWordWrap(true);
  lblNote->setStyleSheet(QStringLiteral("color: #5a4500;"));

  auto* row = new QHBoxLayout;
  row->addWidget(cboCertificate, 1);
  row->addWidget(btnExport);
  auto* form = new QFormLayout(this);
  form->addRow(row);
  form->addRow(QStringLiteral("签入"), cboField);
  form->addRow(QStringLiteral("原因"), txtReason);
  form->addRow(QStringLiteral("地点"), txtLocation);
  form->addRow(QStringLiteral("时间戳"), txtTimestamp);
  form->addRow(lblNote);

  UseWindowNssPrompt();
  Refill(Setting(QStringLiteral("certificate")));
  SetDocument({});
  connect(cboCertificate, &QComboBox::currentIndexChanged, this, &SignCertificateChoice::Chose);
  connect(btnExport, &QToolButton::clicked, this, &SignCertificateChoice::Export);
  for (QLineEdit* field : {txtReason, txtLocation, txtTimestamp})
    connect(field, &QLineEdit::textChanged, this, [this] {
      Remember();
      FollowChoice();
    });
  connect(cboField, &QComboBox::currentIndexChanged, this, [this] { FollowChoice(); });
}

void SignCertificateChoice::showEvent(QShowEvent* event) {
  QGroupBox::showEvent(event);
  if (shownBefore_) Refill();
  shownBefore_ = true;
}

void SignCertificateChoice::hideEvent(QHideEvent* event) {
  QGroupBox::hideEvent(event);
  if (!window()->isVisible()) unlocked_.clear();
}

void SignCertificateChoice::Refill(const QString& key) {
  const QString keep = key.isEmpty() ? (Chosen() ? Chosen()->Key() : QString()) : key;
  found_ = FindSigningCertificates(unlock_);
  filling_ = true;
  cboCertificate->clear();
  cboCertificate->addItem(QStringLiteral("无（只盖图样）"), QString());
  for (size_t i = 0; i < found_.certificates.size(); ++i) {
    cboCertificate->addItem(found_.certificates[i].Label(), kCertificate + QString::number(i));
    cboCertificate->setItemData(cboCertificate->count() - 1, found_.certificates[i].Details(), Qt::ToolTipRole);
  }
  for (const QString& database : found_.lockedDatabases)
    cboCertificate->addItem(QStringLiteral("解锁证书数据库 %1…").arg(QFileInfo(database).fileName()), kUnlock + database);
  cboCertificate->addItem(QStringLiteral("从文件导入…"), kImport);
  cboCertificate->addItem(QStringLiteral("创建我的证书…"), kCreate);
  filling_ = false;
  Select(keep);
}

void SignCertificateChoice::Select(const QString& key) {
  int index = 0;
  for (size_t i = 0; i < found_.certificates.size(); ++i)
    if (found_.certificates[i].Key() == key) index = int(i) + 1;
  filling_ = true;
  cboCertificate->setCurrentIndex(index);
  filling_ = false;
  chosen_ = index;
  FollowChoice();
}

std::optional<SigningCertificate> SignCertificateChoice::Chosen() const {
  const QString data = cboCertificate->itemData(chosen_).toString();
  if (!data.startsWith(kCertificate)) return std::nullopt;
  const size_t index = data.mid(kCertificate.size()).toULong();
  if (index >= found_.certificates.size()) return std::nullopt;
  return found_.certificates[index];
}

QString SignCertificateChoice::FieldName() const {
  return Chosen() && cboField->count() > 1 ? cboField->currentData().toString() : QString();
}

void SignCertificateChoice::Chose(int index) {
  if (filling_ || index < 0) return;
  const QString data = cboCertificate->itemData(index).toString();
  const QString before = Chosen() ? Chosen()->Key() : QString();
  if (data == kCreate) {
    Select(before);
    Create();
  } else if (data == kImport) {
    Select(before);
    Import();
  } else if (data.startsWith(kUnlock)) {
    unlock_ << data.mid(kUnlock.size());
    Refill(before);
  } else {
    chosen_ = index;
    FollowChoice();
  }
  Remember();
  emit Changed();
}

void SignCertificateChoice::Create() {
  const std::optional<MyCertificateOrder> order = askNewCertificate(name_);
  if (!order) return;
  MyCertificate made;
  try {
    made = CreateMyCertificate(*order);
  } catch (const Failure& failure) {
    messages_.Show(failure.message(), kMbExclamation);
    return;
  }
  Refill(QStringLiteral("file:") + made.pkcs12Path);
  if (messages_.Ask(QStringLiteral("证书“%1”已创建，可以用它签名了。\n\n这是您自己签发的证书：对方的 PDF 阅读器会显示签名有效，"
                                   "但签名人的身份未知（identity unknown），直到对方信任这张证书为止。\n\n"
                                   "要现在导出证书（.cer，不含私钥），发给对方导入并信任吗？")
                        .arg(made.summary.subject)))
    Export();
}

void SignCertificateChoice::Import() {
  const QString path = openDialog_.GetOpenFileName(
      window(), QStringLiteral("导入证书"),
      {QStringLiteral("PKCS#12 证书 (*.p12 *.pfx)"), QStringLiteral("所有文件 (*)")}, QDir::homePath());
  if (path.isEmpty()) return;
  for (bool wrong = false;;) {
    const std::optional<QString> password =
        askPassword(QStringLiteral("证书文件《%1》的密码：").arg(QFileInfo(path).fileName()), wrong);
    if (!password) return;
    try {
      const MyCertificate imported = ImportMyCertificate(path, *password);
      Refill(QStringLiteral("file:") + imported.pkcs12Path);
      return;
    } catch (const WrongCertificatePassword&) {
      wrong = true;
    } catch (const Failure& failure) {
      messages_.Show(failure.message(), kMbExclamation);
      return;
    }
  }
}

void SignCertificateChoice::Export() {
  const std::optional<SigningCertificate> chosen = Chosen();
  if (!chosen || chosen->certificatePath.isEmpty()) return;
  QFile cer(chosen->certificatePath);
  if (!cer.open(QIODevice::ReadOnly)) {
    messages_.Show(QStringLiteral("无法读取证书：%1").arg(chosen->certificatePath), kMbExclamation);
    return;
  }
  const QByteArray der = cer.readAll();
  const auto target = AskForExportFile(window(), QStringLiteral("导出证书"),
                                       {{QStringLiteral("证书 (*.cer)"), QStringLiteral("cer")}}, saveDialog_,
                                       messages_, QDir::home().filePath(chosen->summary.subject + QStringLiteral(".cer")));
  if (!target) return;
  try {
    ExportCertificate(der, target->first);
    messages_.Show(QStringLiteral("证书已导出：%1\n对方把它导入为可信证书后，阅读器就会显示签名人的身份。").arg(target->first),
                   kMbInformation);
  } catch (const Failure& failure) {
    messages_.Show(failure.message(), kMbExclamation);
  }
}

void SignCertificateChoice::SetDocument(const DocumentSignatures& found) {
  cboField->clear();
  cboField->addItem(QStringLiteral("新的签名（放在签名图样的位置）"), QString());
  for (const DocumentSignature& field : found.fields)
    if (field.empty)
      cboField->addItem(field.page >= 0 ? QStringLiteral("签名域“%1”（第 %2 页）").arg(field.fieldName).arg(field.page + 1)
                                        : QStringLiteral("签名域“%1”").arg(field.fieldName),
                        field.fieldName);
  certificationNote_.clear();
  if (found.docMdpPermission == 2) {
    certificationNote_ = QStringLiteral("这份文档经过认证，只允许用证书签入它自带的空签名域，不能另加印章、日期或骑缝章"
                                        "（阅读器对其他改动的看法不一致）。");
    if (cboField->count() > 1) cboField->setCurrentIndex(1);
  } else if (found.docMdpPermission == 3) {
    certificationNote_ = QStringLiteral("这份文档经过认证，允许签名和加注释：签署后认证仍然有效。");
  }
  FollowChoice();
}

void SignCertificateChoice::FollowChoice() {
  const std::optional<SigningCertificate> chosen = Chosen();
  btnExport->setEnabled(chosen && !chosen->certificatePath.isEmpty());
  const bool fields = cboField->count() > 1;
  if (auto* form = qobject_cast<QFormLayout*>(layout())) form->setRowVisible(cboField, fields);
  cboField->setEnabled(bool(chosen));
  for (QLineEdit* field : {txtReason, txtLocation, txtTimestamp}) field->setEnabled(bool(chosen));
  QStringList notes;
  if (!certificationNote_.isEmpty()) notes << certificationNote_;
  if (chosen) {
    if (const QString problem = CertificateProblem(chosen->summary, QDateTime::currentDateTimeUtc()); !problem.isEmpty())
      notes << problem;
    const QString url = txtTimestamp->text().trimmed();
    if (!url.isEmpty() && !url.startsWith(QLatin1String("http://")))
      notes << QStringLiteral("时间戳服务器的网址要以 http:// 开头。");
    if (const QString field = FieldName(); !field.isEmpty())
      notes << QStringLiteral("签名图样会放进签名域“%1”，大小随签名域。").arg(field);
  } else if (fields) {
    notes << QStringLiteral("文档里有空的签名域：选一张证书后可以签入。");
  }
  for (const QString& problem : found_.problems) notes << problem;
  lblNote->setText(notes.join('\n'));
  lblNote->setVisible(!notes.isEmpty());
}

void SignCertificateChoice::Remember() const {
  // Never a password: only which certificate, and what readers are shown beside it.
  const auto settings = remembered::Settings();
  const std::optional<SigningCertificate> chosen = Chosen();
  settings->setValue(QStringLiteral("signing/certificate"), chosen ? chosen->Key() : QString());
  settings->setValue(QStringLiteral("signing/reason"), txtReason->text());
  settings->setValue(QStringLiteral("signing/location"), txtLocation->text());
  settings->setValue(QStringLiteral("signing/timestampUrl"), txtTimestamp->text().trimmed());
}

std::shared_ptr<const Signer> SignCertificateChoice::Unlocked(const SigningCertificate& certificate) {
  if (const auto kept = unlocked_.find(certificate.Key()); kept != unlocked_.end()) return kept->second;
  std::shared_ptr<const Signer> signer;
  try {
    if (certificate.kind == SigningCertificate::Kind::NssDatabase) {
      // The database's password, if it has one, is asked here through NSS's own prompt.
      signer = OpenNssSigner(certificate.database, certificate.nickname);
    } else {
      for (bool wrong = false; !signer;) {
        const std::optional<QString> password =
            askPassword(QStringLiteral("证书“%1”的密码：").arg(certificate.summary.subject), wrong);
        if (!password) return nullptr;
        try {
          signer = OpenPkcs12(certificate.pkcs12Path, *password);
        } catch (const WrongCertificatePassword&) {
          wrong = true;
        }
      }
    }
  } catch (const Failure& failure) {
    messages_.Show(failure.message(), kMbExclamation);
    return nullptr;
  }
  unlocked_[certificate.Key()] = signer;
  return signer;
}

bool SignCertificateChoice::AddTo(SigningPlan& plan) {
  const std::optional<SigningCertificate> chosen = Chosen();
  if (!chosen) return true;
  if (const QString usage = KeyUsageProblem(chosen->summary); !usage.isEmpty()) {
    messages_.Show(usage + QStringLiteral("\n请选另一张证书。"), kMbExclamation);
    return false;
  }
  if (const QString problem = CertificateProblem(chosen->summary, QDateTime::currentDateTimeUtc());
      !problem.isEmpty() &&
      !messages_.Ask(problem + QStringLiteral("\n\n阅读器会把用它做的签名标为有问题。仍要用它签名吗？")))
    return false;
  const std::shared_ptr<const Signer> signer = Unlocked(*chosen);
  if (!signer) return false;
  CertificateSigning signing;
  signing.signer = signer;
  signing.reason = txtReason->text().trimmed();
  signing.location = txtLocation->text().trimmed();
  signing.timestamp.url = txtTimestamp->text().trimmed();
  plan.certificate = signing;
  plan.fieldName = FieldName();
  return true;
}

}  // namespace yz
