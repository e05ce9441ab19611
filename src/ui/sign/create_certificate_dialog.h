// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>

#include "certificates/my_certificates.h"

namespace yz {

// What is wrong with a new certificate's order before it is made (no name, an e-mail that is
// not one, no password, the two passwords differ); empty when it can be made.
QString CertificateOrderProblem(const MyCertificateOrder& order, const QString& passwordAgain);

// 创建我的证书: the name (the main window's 姓名 to start with), optional e-mail and
// organisation, the key's kind, and the password twice. 创建 stays off while the order has a
// problem, which is shown under the fields.
class CreateCertificateDialog : public QDialog {
  Q_OBJECT
 public:
  explicit CreateCertificateDialog(const QString& name, QWidget* parent = nullptr);

  MyCertificateOrder Order() const;

  QLineEdit* txtName;
  QLineEdit* txtEmail;
  QLineEdit* txtOrganisation;
  QComboBox* cboKey;
  QLineEdit* txtPassword;
  QLineEdit* txtPasswordAgain;
  QLabel* lblProblem;
  QDialogButtonBox* buttons;

 private:
  void Check();
};

}  // namespace yz
