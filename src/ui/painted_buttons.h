// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <initializer_list>

class QWidget;

namespace yz {

// The corner radius of the button tiles the skin paints (tools/artwork).
constexpr double kPaintedTileRadius = 6;

// A painted button as the keyboard and screen readers need it: the widget over the painted
// place, its caption, what a click on it does, and the corner radius of what is painted there.
struct PaintedButton {
  QWidget* widget;
  QString caption;
  std::function<void()> press;
  double cornerRadius = 0;
};

// Puts the painted buttons in the tab chain after `last` (the controls before it keep their
// order), in the order given. Each then takes the focus from Tab alone (a click leaves the focus
// where it was), is pressed by Enter or Space, shows a gold focus mark while it has the focus,
// and is known to screen readers as a button named by its caption whose press action presses it.
void OfferToKeyboard(QWidget* last, std::initializer_list<PaintedButton> buttons);

// The keyboard's hold on one painted button; lives as a child of the button's widget.
class KeyboardButton : public QObject {
  Q_OBJECT
 public:
  explicit KeyboardButton(const PaintedButton& button);
  void Press() const { press_(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> press_;
  QWidget* mark_;
};

}  // namespace yz
