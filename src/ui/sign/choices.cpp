// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sign/choices.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "seams/failure.h"

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

QLabel* ProblemLabel() {
  auto* label = new QLabel;
  label->setWordWrap(true);
  label->setStyleSheet(QStringLiteral("color: #c00000;"));
  label->setAccessibleName(QStringLiteral("页码错误"));
  label->hide();
  return label;
}

// Marks `field` and says why under it, or clears both.
void ShowProblem(QLineEdit* field, QLabel* label, const QString& problem) {
  field->setStyleSheet(problem.isEmpty() ? QString() : QStringLiteral("QLineEdit { border: 2px solid #c00000; }"));
  field->setAccessibleDescription(problem);
  label->setText(problem);
  label->setVisible(!problem.isEmpty());
}

QString ProblemOf(const std::function<PageSelection()>& read, int pageCount) {
  try {
    const PageSelection selection = read();
    if (pageCount > 0) ResolvePages(selection, pageCount);
  } catch (const Failure& failure) {
    return failure.message();
  }
  return {};
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
  cboPages->addItems({QStringLiteral("仅第 1 页"), QStringLiteral("全部页"), QStringLiteral("奇数页"),
                      QStringLiteral("偶数页"), QStringLiteral("指定页码")});
  txtPages = new QLineEdit;
  txtPages->setPlaceholderText(QStringLiteral("如 1,3-5"));
  txtPages->setEnabled(false);
  lblPagesProblem = ProblemLabel();

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
  lblSeamPagesProblem = ProblemLabel();
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
  seam->addRow(QString(), lblSeamPagesProblem);
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
  form->addRow(QString(), lblPagesProblem);
  auto* date = new QHBoxLayout;
  date->addWidget(chkDate);
  date->addWidget(txtDate, 1);
  form->addRow(date);
  form->addRow(QString(), cboDatePlace);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addLayout(form);
  outer->addWidget(grpSeam);
  auto* hint = new QLabel(QStringLiteral(
      "拖动放置，拖角或滚轮缩放，Delete 删除，Ctrl+Z 撤销，Ctrl+Y 重做。"
      "键盘：Tab 选中签名或印章，方向键移动 1 毫米（Shift：10 毫米），+ − 缩放；"
      "PageUp/PageDown 翻页，Ctrl+滚轮或 Ctrl+加减号缩放页面。"));
  hint->setWordWrap(true);
  outer->addWidget(hint);
  outer->addStretch(1);

  const std::pair<QWidget*, const char*> names[] = {
      {cboSealStyle, "印章款式"}, {cboPages, "盖在哪些页"}, {txtPages, "页码"},
      {txtDate, "日期文字"}, {cboDatePlace, "日期位置"}, {cboSeamStyle, "骑缝章款式"},
      {spnSeamSlices, "骑缝章每组最多页数"}, {txtSeamPages, "骑缝章页码"},
      {spnSeamTop, "骑缝章距顶"}, {spnSeamWidth, "骑缝章宽度"}, {hint, "操作说明"}, {grpSeam, "骑缝章"}};
  for (const auto& [widget, name] : names) widget->setAccessibleName(QString::fromUtf8(name));

  connect(cboPages, &QComboBox::currentIndexChanged, this, [this](int choice) {
    txtPages->setEnabled(choice == kListedPages);
    CheckLists();
  });
  // Chosen again on another page, 仅第 N 页 moves to the page on screen.
  connect(cboPages, &QComboBox::activated, this, [this](int choice) {
    if (choice == kThisPage && pageOnScreen) SetOnlyPage(pageOnScreen());
  });
  for (QLineEdit* box : {txtPages, txtSeamPages})
    connect(box, &QLineEdit::textChanged, this, &SignChoices::CheckLists);
  connect(grpSeam, &QGroupBox::toggled, this, &SignChoices::CheckLists);
  connect(chkDate, &QCheckBox::toggled, this, [this](bool on) {
    txtDate->setEnabled(on);
    cboDatePlace->setEnabled(on);
  });
  // What changes the stamps' pictures, and what changes only where they go.
  for (QCheckBox* box : {chkMultiply, chkDate})
    connect(box, &QCheckBox::toggled, this, &SignChoices::Changed);
  for (QComboBox* box : {cboSealStyle, cboDatePlace, cboSeamStyle})
    connect(box, &QComboBox::currentIndexChanged, this, &SignChoices::Changed);
  connect(txtDate, &QLineEdit::textChanged, this, &SignChoices::Changed);
  connect(grpSeam, &QGroupBox::toggled, this, &SignChoices::Changed);
  connect(chkSkipFirst, &QCheckBox::toggled, this, &SignChoices::PlacesChanged);
  connect(cboPages, &QComboBox::currentIndexChanged, this, &SignChoices::PlacesChanged);
  for (QLineEdit* box : {txtPages, txtSeamPages})
    connect(box, &QLineEdit::textChanged, this, &SignChoices::PlacesChanged);
  connect(spnSeamSlices, &QSpinBox::valueChanged, this, &SignChoices::PlacesChanged);
  for (QDoubleSpinBox* box : {spnSeamTop, spnSeamWidth})
    connect(box, &QDoubleSpinBox::valueChanged, this, &SignChoices::PlacesChanged);
}

PageSelection SignChoices::Pages() const {
  switch (cboPages->currentIndex()) {
    case kAllPages: return PageSelection::All();
    case kOddPages: return PageSelection::Odd();
    case kEvenPages: return PageSelection::Even();
    case kListedPages: return ParsePageSelection(txtPages->text());
    default: return PageSelection::Page(onlyPage_);
  }
}

void SignChoices::SetOnlyPage(int page) {
  if (page < 1) return;
  cboPages->setItemText(kThisPage, QStringLiteral("仅第 %1 页").arg(page));
  if (page == onlyPage_) return;
  onlyPage_ = page;
  emit PlacesChanged();
}

void SignChoices::SetPageCount(int pageCount) {
  pageCount_ = pageCount;
  CheckLists();
}

QString SignChoices::PagesProblem() const {
  return ProblemOf([this] { return Pages(); }, pageCount_);
}

QString SignChoices::SeamPagesProblem() const {
  if (!SeamWanted()) return {};
  return ProblemOf([this] { return Listed(txtSeamPages->text()); }, pageCount_);
}

void SignChoices::CheckLists() {
  ShowProblem(txtPages, lblPagesProblem, PagesProblem());
  ShowProblem(txtSeamPages, lblSeamPagesProblem, SeamPagesProblem());
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
