// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sign/choices.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace yz {

namespace {

QComboBox* SealStyleBox(const QList<std::pair<int, QString>>& sealStyles) {
  auto* box = new QComboBox;
  for (const auto& [index, name] : sealStyles) box->addItem(name, index);
  box->setEnabled(!sealStyles.isEmpty());
  return box;
}

PageSelection Listed(const QString& text) {
  const QString t = text.trimmed();
  return t.isEmpty() ? PageSelection::All() : ParsePageSelection(t);
}

}  // namespace

SignChoices::SignChoices(const QList<std::pair<int, QString>>& sealStyles, QWidget* parent)
    : QWidget(parent) {
  chkSignature = new QCheckBox(QStringLiteral("签名"));
  chkSignature->setChecked(true);
  chkSeal = new QCheckBox(QStringLiteral("印章"));
  chkSeal->setEnabled(!sealStyles.isEmpty());
  cboSealStyle = SealStyleBox(sealStyles);
  chkMultiply = new QCheckBox(QStringLiteral("印章透出下面的字（像印泥）"));
  chkMultiply->setChecked(true);

  cboPages = new QComboBox;
  cboPages->addItems({QStringLiteral("本页"), QStringLiteral("全部页"), QStringLiteral("奇数页"),
                      QStringLiteral("偶数页"), QStringLiteral("指定页码")});
  txtPages = new QLineEdit;
  txtPages->setPlaceholderText(QStringLiteral("如 1,3-5"));
  txtPages->setEnabled(false);

  chkDate = new QCheckBox(QStringLiteral("日期"));
  txtDate = new QLineEdit(yz::DateText());
  txtDate->setEnabled(false);
  cboDatePlace = new QComboBox;
  cboDatePlace->addItems({QStringLiteral("签名下方"), QStringLiteral("签名右侧")});
  cboDatePlace->setEnabled(false);

  grpSeam = new QGroupBox(QStringLiteral("骑缝章"));
  grpSeam->setCheckable(true);
  grpSeam->setChecked(false);
  grpSeam->setEnabled(!sealStyles.isEmpty());
  cboSeamStyle = SealStyleBox(sealStyles);
  spnSeamSlices = new QSpinBox;
  spnSeamSlices->setRange(1, 100);
  spnSeamSlices->setValue(kDefaultSeamSlices);
  txtSeamPages = new QLineEdit;
  txtSeamPages->setPlaceholderText(QStringLiteral("全部"));
  chkSkipFirst = new QCheckBox(QStringLiteral("跳过首页"));
  spnSeamTop = new QDoubleSpinBox;
  spnSeamTop->setRange(-1, 1000);
  spnSeamTop->setDecimals(0);
  spnSeamTop->setSuffix(QStringLiteral(" 毫米"));
  spnSeamTop->setSpecialValueText(QStringLiteral("居中"));
  spnSeamTop->setValue(-1);
  spnSeamWidth = new QDoubleSpinBox;
  spnSeamWidth->setRange(10, 120);
  spnSeamWidth->setDecimals(0);
  spnSeamWidth->setSuffix(QStringLiteral(" 毫米"));
  spnSeamWidth->setValue(kDefaultSealWidthMm);

  auto* seam = new QFormLayout(grpSeam);
  seam->addRow(QStringLiteral("款式"), cboSeamStyle);
  seam->addRow(QStringLiteral("每组最多"), spnSeamSlices);
  seam->addRow(QStringLiteral("页码"), txtSeamPages);
  seam->addRow(QString(), chkSkipFirst);
  seam->addRow(QStringLiteral("距顶"), spnSeamTop);
  seam->addRow(QStringLiteral("宽度"), spnSeamWidth);

  auto* form = new QFormLayout;
  auto* seal = new QHBoxLayout;
  seal->addWidget(chkSeal);
  seal->addWidget(cboSealStyle, 1);
  form->addRow(chkSignature);
  form->addRow(seal);
  form->addRow(chkMultiply);
  form->addRow(QStringLiteral("盖在"), cboPages);
  form->addRow(QString(), txtPages);
  auto* date = new QHBoxLayout;
  date->addWidget(chkDate);
  date->addWidget(txtDate, 1);
  form->addRow(date);
  form->addRow(QString(), cboDatePlace);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addLayout(form);
  outer->addWidget(grpSeam);
  auto* hint = new QLabel(QStringLiteral("拖动放置，拖角或滚轮缩放，Delete 删除，Ctrl+Z 撤销，Ctrl+Y 重做。"));
  hint->setWordWrap(true);
  outer->addWidget(hint);
  outer->addStretch(1);

  connect(cboPages, &QComboBox::currentIndexChanged, this,
          [this](int choice) { txtPages->setEnabled(choice == kListedPages); });
  connect(chkDate, &QCheckBox::toggled, this, [this](bool on) {
    txtDate->setEnabled(on);
    cboDatePlace->setEnabled(on);
  });
  for (QCheckBox* box : {chkMultiply, chkDate, chkSkipFirst})
    connect(box, &QCheckBox::toggled, this, &SignChoices::Changed);
  for (QComboBox* box : {cboSealStyle, cboPages, cboDatePlace, cboSeamStyle})
    connect(box, &QComboBox::currentIndexChanged, this, &SignChoices::Changed);
  for (QLineEdit* box : {txtPages, txtDate, txtSeamPages})
    connect(box, &QLineEdit::textChanged, this, &SignChoices::Changed);
  connect(grpSeam, &QGroupBox::toggled, this, &SignChoices::Changed);
  connect(spnSeamSlices, &QSpinBox::valueChanged, this, &SignChoices::Changed);
  for (QDoubleSpinBox* box : {spnSeamTop, spnSeamWidth})
    connect(box, &QDoubleSpinBox::valueChanged, this, &SignChoices::Changed);
}

PageSelection SignChoices::PagesFor(int stampPage) const {
  switch (cboPages->currentIndex()) {
    case kAllPages: return PageSelection::All();
    case kOddPages: return PageSelection::Odd();
    case kEvenPages: return PageSelection::Even();
    case kListedPages: return ParsePageSelection(txtPages->text());
    default: return PageSelection::Page(stampPage);
  }
}

std::optional<DatePlace> SignChoices::Date() const {
  if (!chkDate->isChecked() || DateText().isEmpty()) return std::nullopt;
  return cboDatePlace->currentIndex() == 1 ? DatePlace::Beside : DatePlace::Under;
}

InkBlend SignChoices::SealBlend() const {
  return chkMultiply->isChecked() ? InkBlend::Multiply : InkBlend::Normal;
}

SeamStamp SignChoices::Seam(const DrawingRequest& seal) const {
  SeamStamp seam;
  seam.seal = seal;
  seam.pages = Listed(txtSeamPages->text());
  seam.skipFirst = chkSkipFirst->isChecked();
  seam.maxSlices = spnSeamSlices->value();
  seam.widthMm = spnSeamWidth->value();
  if (spnSeamTop->value() >= 0) seam.topMm = spnSeamTop->value();
  seam.blend = SealBlend();
  return seam;
}

}  // namespace yz
