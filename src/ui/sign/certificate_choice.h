// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "certificates/my_certificates.h"
#include "seams/message_box.h"
#include "seams/open_dialog.h"
#include "seams/save_dialog.h"
#include "sign/signing_plan.h"
#include "ui/sign/certificate_list.h"
#include "ui/sign/nss_prompt.h"
#include "verification/document_signatures.h"

namespace yz {

// 数字证书 in the signing window's side panel: 无 (stamps only), a certificate found on this
// machine, 从文件导入… or 创建我的证书…; the reason and location readers show, an optional
// timestamp authority, and the document's own empty signature field to sign into. Saving asks
// it to unlock the certificate (its password, asked then; the key kept only in memory while
// the window is open) and to add it to the plan.
class SignCertificateChoice : public QGroupBox {
  Q_OBJECT
 public:
  SignCertificateChoice(MessageBox& messages, OpenDialog& openDialog, SaveDialog& saveDialog,
                        QWidget* parent = nullptr);

  // The name 创建我的证书 starts with: the main window's 姓名.
  void SetName(const QString& name) { name_ = name; }
  // The document's signature fields: its empty ones are offered, its certification told.
  void SetDocument(const DocumentSignatures& found);
  // Lists the certificates again and keeps the one chosen (or chooses `key`).
  void Refill(const QString& key = {});

  std::optional<SigningCertificate> Chosen() const;
  // The empty field to sign into; empty for a new signature (or no certificate).
  QString FieldName() const;
  // With a certificate chosen: its problems told (an expired one asked about, one whose key
  // usage forbids signing refused), its password asked, and the signing added to the plan,
  // with the field chosen. False when the user gave up or it cannot sign; nothing chosen: true.
  bool AddTo(SigningPlan& plan);

  AskSecret askPassword;  // the password dialog; tests answer for the user
  // 创建我的证书's dialog; tests answer for the user. Nothing when cancelled.
  std::function<std::optional<MyCertificateOrder>(const QString& name)> askNewCertificate;

  QComboBox* cboCertificate;
  QToolButton* btnExport;
  QComboBox* cboField;
  QLineEdit* txtReason;
  QLineEdit* txtLocation;
  QLineEdit* txtTimestamp;
  QLabel* lblNote;

 signals:
  void Changed();

 protected:
  // Each time the window shows, the list is made again: certificates may have come or gone.
  void showEvent(QShowEvent* event) override;
  // The window closed: the unlocked keys are forgotten, and the next save asks again.
  void hideEvent(QHideEvent* event) override;

 private:
  void Chose(int index);
  void Create();
  void Import();
  void Export();
  void Select(const QString& key);
  void FollowChoice();
  void Remember() const;
  std::shared_ptr<const Signer> Unlocked(const SigningCertificate& certificate);

  MessageBox& messages_;
  OpenDialog& openDialog_;
  SaveDialog& saveDialog_;
  QString name_;
  FoundCertificates found_;
  QStringList unlock_;  // databases whose password the user chose to give
  QString certificationNote_;
  int chosen_ = 0;
  bool filling_ = false;
  bool shownBefore_ = false;
  std::map<QString, std::shared_ptr<const Signer>> unlocked_;  // by Key(), for this window
};

}  // namespace yz
