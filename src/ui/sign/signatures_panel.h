// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "verification/document_signatures.h"

namespace yz {

// Reads and checks the document's signatures for the window: each one's byte ranges and CMS,
// and its certificate against the desktop's NSS trust settings. Never throws.
DocumentSignatures CheckDocumentSignatures(const QString& path, const QString& password);

// One signature in a few words for the side panel: signer, time, verdict, coverage, trust.
QString SignatureBrief(const DocumentSignature& signature);

// What a signed file just written says of itself: 已签名，签名有效 (and whether its
// certificate is trusted) for the new signature `newField` (empty: stamps only), and any
// earlier signature that is no longer intact; an empty text when there is nothing to say.
QString SavedVerdict(const DocumentSignatures& checked, const QString& newField);

// 文档中的签名: the signatures a document holds, shown when it is opened, each in a line, with
// 详情… for the whole account (field, signer, verdict and its reason, time, coverage, trust).
class SignaturesPanel : public QGroupBox {
  Q_OBJECT
 public:
  explicit SignaturesPanel(QWidget* parent = nullptr);

  // Shows the document's signatures; hidden when it holds none.
  void Show(const DocumentSignatures& found);
  // The whole account, as 详情… shows it.
  void ShowDetails();

  QLabel* lblSignatures;
  QPushButton* btnDetails;

 private:
  DocumentSignatures shown_;
};

}  // namespace yz
