// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sign/signatures_panel.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "seams/failure.h"
#include "verification/nss_trust.h"
#include "verification/verification_text.h"
#include "verification/verify_signatures.h"

namespace yz {

namespace {

QString ShortVerdict(const SignatureCheck& check) {
  switch (check.verdict) {
    case SignatureCheck::Verdict::Intact: return QStringLiteral("有效");
    case SignatureCheck::Verdict::Altered: return QStringLiteral("签名后已被修改");
    case SignatureCheck::Verdict::Unverifiable: break;
  }
  return QStringLiteral("无法验证");
}

}  // namespace

DocumentSignatures CheckDocumentSignatures(const QString& path, const QString& password) {
  TrustCheck trust;
  try {
    trust = NssTrust();
  } catch (const Failure&) {
    // No database to judge by: every certificate is told as unknown, the verdicts stand.
  }
  return VerifyDocumentSignatures(path, password, trust);
}

QString SignatureBrief(const DocumentSignature& signature) {
  QString text = QStringLiteral("%1 · %2").arg(SignerText(signature), SigningTimeText(signature));
  if (!signature.check) return text;
  const SignatureCheck& check = *signature.check;
  text += QStringLiteral("\n%1").arg(ShortVerdict(check));
  if (check.verdict == SignatureCheck::Verdict::Intact && !check.coversWholeDocument && check.coversRevision > 0)
    text += QStringLiteral("，覆盖第 %1 版（共 %2 版）").arg(check.coversRevision).arg(check.revisions);
  text += check.trust == SignatureCheck::Trust::Trusted ? QStringLiteral(" · 证书可信") : QStringLiteral(" · 证书身份未知");
  return text;
}

QString SavedVerdict(const DocumentSignatures& checked, const QString& newField) {
  if (!checked.failure.isEmpty()) return QStringLiteral("写出的文件无法检查签名：%1").arg(checked.failure);
  QStringList lines;
  bool newFound = newField.isEmpty();
  int earlierIntact = 0;
  for (const DocumentSignature& signature : checked.fields) {
    if (signature.empty || !signature.check) continue;
    const SignatureCheck& check = *signature.check;
    const bool intact = check.verdict == SignatureCheck::Verdict::Intact;
    if (signature.fieldName == newField) {
      newFound = true;
      if (!intact) {
        lines.prepend(QStringLiteral("签名无效：%1").arg(VerdictText(check)));
      } else if (check.trust == SignatureCheck::Trust::Trusted) {
        lines.prepend(QStringLiteral("已签名，签名有效，证书可信。"));
      } else {
        lines.prepend(QStringLiteral("已签名，签名有效。\n证书的身份未知：对方信任这张证书之前，阅读器会显示签名人身份未知。"));
      }
    } else if (intact) {
      ++earlierIntact;
    } else {
      lines << QStringLiteral("原有签名“%1”（%2）：%3").arg(signature.fieldName, SignerText(signature), VerdictText(check));
    }
  }
  if (!newFound) lines.prepend(QStringLiteral("写出的文件里找不到新签名“%1”。").arg(newField));
  if (earlierIntact > 0) lines << QStringLiteral("原有的 %1 个签名仍然有效。").arg(earlierIntact);
  return lines.join('\n');
}

SignaturesPanel::SignaturesPanel(QWidget* parent) : QGroupBox(QStringLiteral("文档中的签名"), parent) {
  lblSignatures = new QLabel;
  lblSignatures->setWordWrap(true);
  lblSignatures->setTextInteractionFlags(Qt::TextSelectableByMouse);
  btnDetails = new QPushButton(QStringLiteral("详情…"));
  btnDetails->setAutoDefault(false);
  btnDetails->setAccessibleName(QStringLiteral("文档中签名的详情"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblSignatures);
  layout->addWidget(btnDetails, 0, Qt::AlignRight);
  connect(btnDetails, &QPushButton::clicked, this, &SignaturesPanel::ShowDetails);
  hide();
}

void SignaturesPanel::Show(const DocumentSignatures& found) {
  shown_ = found;
  QStringList lines;
  for (const DocumentSignature& signature : found.fields)
    if (!signature.empty) lines << SignatureBrief(signature);
  if (!found.failure.isEmpty()) lines << QStringLiteral("无法检查签名：%1").arg(found.failure);
  lblSignatures->setText(lines.join(QStringLiteral("\n\n")));
  setTitle(QStringLiteral("文档中的签名（%1）").arg(found.SignatureCount()));
  setVisible(!lines.isEmpty());
}

void SignaturesPanel::ShowDetails() {
  QDialog dialog(window());
  dialog.setWindowTitle(QStringLiteral("文档中的签名"));
  const QStringList headers = {QStringLiteral("签名域"), QStringLiteral("签名人"), QStringLiteral("结果"),
                               QStringLiteral("时间"), QStringLiteral("覆盖范围"), QStringLiteral("证书")};
  auto* table = new QTableWidget(0, int(headers.size()));
  table->setHorizontalHeaderLabels(headers);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setWordWrap(true);
  for (const DocumentSignature& signature : shown_.fields) {
    if (signature.empty || !signature.check) continue;
    const int row = table->rowCount();
    table->insertRow(row);
    const QStringList cells = {signature.fieldName, SignerText(signature), VerdictText(*signature.check),
                               SigningTimeText(signature), CoverageText(*signature.check),
                               TrustText(*signature.check)};
    for (int column = 0; column < cells.size(); ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      item->setToolTip(cells[column]);
      table->setItem(row, column, item);
    }
  }
  table->resizeColumnsToContents();
  table->horizontalHeader()->setStretchLastSection(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(table);
  layout->addWidget(buttons);
  dialog.resize(900, 320);
  dialog.exec();
}

}  // namespace yz
