// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

#include "seams/colour.h"

namespace yz {

// lblColorPreview: a label without caption whose back colour is the ink colour.
class ColorSwatch : public QWidget {
  Q_OBJECT
 public:
  explicit ColorSwatch(QWidget* parent = nullptr);
  void SetBackColor(Colour colour);
  Colour BackColor() const { return colour_; }

 signals:
  void Click();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  Colour colour_ = kBlack;
};

}  // namespace yz
