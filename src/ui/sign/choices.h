// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStringList>
#include <QWidget>
#include <functional>
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

  // The pages the stamps go on. Throws Failure for a list that cannot be read, in the words of
  // the page rule.
  PageSelection Pages() const;
  // 仅第 N 页: the page on screen when it was chosen.
  int OnlyPage() const { return onlyPage_; }
  void SetOnlyPage(int page);
  // The document's page count, against which the lists are checked as they are typed.
  void SetPageCount(int pageCount);
  // Why the stamps' or the 骑缝章's page list cannot be used; empty when it can.
  QString PagesProblem() const;
  QString SeamPagesProblem() const;

  // The page on screen, asked when 仅第 N 页 is chosen.
  std::function<int()> pageOnScreen;
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
  QLabel* lblPagesProblem;
  QCheckBox* chkDate;
  QLineEdit* txtDate;
  QComboBox* cboDatePlace;
  QGroupBox* grpSeam;
  QComboBox* cboSeamStyle;
  QSpinBox* spnSeamSlices;
  QLineEdit* txtSeamPages;
  QLabel* lblSeamPagesProblem;
  QCheckBox* chkSkipFirst;
  QDoubleSpinBox* spnSeamTop;
  QDoubleSpinBox* spnSeamWidth;

 signals:
  // A choice that changes the stamps' pictures (and maybe their pages).
  void Changed();
  // A choice that changes only the pages or the place of the stamps or the 骑缝章.
  void PlacesChanged();

 private:
  void CheckLists();

  int onlyPage_ = 1;
  int pageCount_ = 0;
};

}  // namespace yz
