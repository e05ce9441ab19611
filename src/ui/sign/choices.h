// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QStringList>
#include <QWidget>
#include <optional>

#include "sign/page_selection.h"
#include "ui/sign/placed_stamp.h"

namespace yz {

// The signing window's choices beside the page: which stamps, on which pages, the date, and
// the 骑缝章. It holds values only; the window turns them into the plan.
class SignChoices : public QWidget {
  Q_OBJECT
 public:
  enum PageChoice { kThisPage, kAllPages, kOddPages, kEvenPages, kListedPages };

  // `sealStyles`: the catalogue's seal styles as (list index, name), the first the default.
  SignChoices(const QList<std::pair<int, QString>>& sealStyles, QWidget* parent = nullptr);

  // The pages a stamp last put on `stampPage` goes on. Throws Failure for a list that cannot
  // be read, in the words of the page rule.
  PageSelection PagesFor(int stampPage) const;
  std::optional<DatePlace> Date() const;
  QString DateText() const { return txtDate->text().trimmed(); }
  int SealStyle() const { return cboSealStyle->currentData().toInt(); }
  InkBlend SealBlend() const;
  bool SeamWanted() const { return grpSeam->isChecked(); }
  int SeamStyle() const { return cboSeamStyle->currentData().toInt(); }
  // The 骑缝章's pages, skip, slices, width and height; its seal request is the window's.
  // Throws Failure as PagesFor does.
  SeamStamp Seam(const DrawingRequest& seal) const;

  QCheckBox* chkSignature;
  QCheckBox* chkSeal;
  QComboBox* cboSealStyle;
  QCheckBox* chkMultiply;
  QComboBox* cboPages;
  QLineEdit* txtPages;
  QCheckBox* chkDate;
  QLineEdit* txtDate;
  QComboBox* cboDatePlace;
  QGroupBox* grpSeam;
  QComboBox* cboSeamStyle;
  QSpinBox* spnSeamSlices;
  QLineEdit* txtSeamPages;
  QCheckBox* chkSkipFirst;
  QDoubleSpinBox* spnSeamTop;
  QDoubleSpinBox* spnSeamWidth;

 signals:
  void Changed();
};

}  // namespace yz
