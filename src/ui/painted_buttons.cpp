// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/painted_buttons.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace yz {

namespace {

// Drawn over the button while it has the keyboard focus: a gold ring like the skin's hairlines,
// with a dark line inside it so that it shows on any ink colour of the swatch as well.
class FocusMark : public QWidget {
 public:
  FocusMark(QWidget* button, double cornerRadius) : QWidget(button), radius_(cornerRadius) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(button->rect());
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!parentWidget()->hasFocus()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const QRectF ring = QRectF(rect()).adjusted(1, 1, -1, -1);
    painter.setPen(QPen(QColor(18, 24, 26, 200), 1));
    painter.drawRoundedRect(ring.adjusted(1.5, 1.5, -1.5, -1.5), std::max(0.0, radius_ - 1.5),
                            std::max(0.0, radius_ - 1.5));
    painter.setPen(QPen(QColor(232, 196, 120), 2));
    painter.drawRoundedRect(ring, radius_, radius_);
  }

 private:
  double radius_;
};

KeyboardButton* KeyboardOf(QObject* object) {
  return object->findChild<KeyboardButton*>(QString(), Qt::FindDirectChildrenOnly);
}

// What a screen reader sees of a painted button: a button with its caption as name, and a
// press action that does what a click does.
class PaintedButtonAccessible : public QAccessibleWidget {
 public:
  explicit PaintedButtonAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Button) {}

  // The focus mark is drawing, not a part to announce.
  int childCount() const override { return 0; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }

  QStringList actionNames() const override {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& name) override {
    if (name != pressAction()) return QAccessibleWidget::doAction(name);
    if (const KeyboardButton* button = KeyboardOf(widget())) button->Press();
  }
};

QAccessibleInterface* PaintedButtonFactory(const QString&, QObject* object) {
  if (object && object->isWidgetType() && KeyboardOf(object)) {
    return new PaintedButtonAccessible(static_cast<QWidget*>(object));
  }
  return nullptr;
}

}  // namespace

KeyboardButton::KeyboardButton(const PaintedButton& button)
    : QObject(button.widget), press_(button.press), mark_(new FocusMark(button.widget, button.cornerRadius)) {
  QWidget* widget = button.widget;
  widget->setFocusPolicy(Qt::TabFocus);
  widget->setAccessibleName(button.caption);
  widget->installEventFilter(this);
}

bool KeyboardButton::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      const bool pressKey = key->key() == Qt::Key_Space || key->key() == Qt::Key_Return ||
                            key->key() == Qt::Key_Enter;
      if (!pressKey || key->modifiers() & ~Qt::KeypadModifier) break;
      if (!key->isAutoRepeat()) press_();
      return true;
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut:
      mark_->update();
      break;
    case QEvent::Resize:
      mark_->setGeometry(static_cast<QWidget*>(watched)->rect());
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

void OfferToKeyboard(QWidget* last, std::initializer_list<PaintedButton> buttons) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(PaintedButtonFactory);
    return true;
  }();
  (void)factoryInstalled;
  for (const PaintedButton& button : buttons) {
    new KeyboardButton(button);
    QWidget::setTabOrder(last, button.widget);
    last = button.widget;
  }
}

}  // namespace yz
