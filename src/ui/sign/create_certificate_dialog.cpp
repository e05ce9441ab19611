// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sign/create_certificate_dialog.h"

#include <QFormLayout>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace yz {

QString CertificateOrderProblem(const MyCertificateOrder& order, const QString& passwordAgain) {
  if (order.name.trimmed().isEmpty()) return QStringLiteral("请填写证书上的姓名。");
  static const QRegularExpression email(QStringLiteral("^[^@\\s]+@[^@\\s]+\\.[^@\\s]+$"));
  if (!order.email.isEmpty() && !email.match(order.email).hasMatch())
    return QStringLiteral("电子邮件地址不对（例如 name@example.com），或留空。");
  if (order.password.isEmpty()) return QStringLiteral("请设置证书密码：签名时要输入它。");
  if (order.password != passwordAgain) return QStringLiteral("两次输入的密码不一样。");
  return {};
}

CreateCertificateDialog::CreateCertificateDialog(const QString& name, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("创建我的证书"));
  txtName = new QLineEdit(name.trimmed());
  txtEmail = new QLineEdit;
  txtEmail->setPlaceholderText(QStringLiteral("可不填"));
  txtOrganisation = new QLineEdit;
  txtOrganisation->setPlaceholderText(QStringLiteral("可不填"));
  cboKey = new QComboBox;
  cboKey->addItem(QStringLiteral("ECDSA P-256（推荐）"), int(MyKeyKind::EcdsaP256));
  cboKey->addItem(QStringLiteral("RSA 3072"), int(MyKeyKind::Rsa3072));
  txtPassword = new QLineEdit;
  txtPasswordAgain = new QLineEdit;
  for (QLineEdit* field : {txtPassword, txtPasswordAgain}) field->setEchoMode(QLineEdit::Password);
  lblProblem = new QLabel;
  lblProblem->setWordWrap(true);
  lblProblem->setStyleSheet(QStringLiteral("color: #b00000;"));
  auto* about = new QLabel(QStringLiteral(
      "证书由本机自己签发，有效期三年，和私钥一起用密码保护保存在本机。"));
  about->setWordWrap(true);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("姓名"), txtName);
  form->addRow(QStringLiteral("电子邮件"), txtEmail);
  form->addRow(QStringLiteral("单位"), txtOrganisation);
  form->addRow(QStringLiteral("密钥"), cboKey);
  form->addRow(QStringLiteral("密码"), txtPassword);
  form->addRow(QStringLiteral("再输一次"), txtPasswordAgain);
  const std::pair<QWidget*, QString> names[] = {{txtName, QStringLiteral("姓名")},
                                                {txtEmail, QStringLiteral("电子邮件")},
                                                {txtOrganisation, QStringLiteral("单位")},
                                                {cboKey, QStringLiteral("密钥类型")},
                                                {txtPassword, QStringLiteral("证书密码")},
                                                {txtPasswordAgain, QStringLiteral("再输一次证书密码")}};
  for (const auto& [widget, accessible] : names) widget->setAccessibleName(accessible);
  buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("创建"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(about);
  layout->addLayout(form);
  layout->addWidget(lblProblem);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  for (QLineEdit* field : {txtName, txtEmail, txtOrganisation, txtPassword, txtPasswordAgain})
    connect(field, &QLineEdit::textChanged, this, &CreateCertificateDialog::Check);
  Check();
  resize(440, sizeHint().height());
}

MyCertificateOrder CreateCertificateDialog::Order() const {
  MyCertificateOrder order;
  order.name = txtName->text().trimmed();
  order.email = txtEmail->text().trimmed();
  order.organisation = txtOrganisation->text().trimmed();
  order.key = MyKeyKind(cboKey->currentData().toInt());
  order.password = txtPassword->text();
  return order;
}

void CreateCertificateDialog::Check() {
  const QString problem = CertificateOrderProblem(Order(), txtPasswordAgain->text());
  lblProblem->setText(problem);
  buttons->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty());
}

}  // namespace yz
