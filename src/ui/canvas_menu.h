// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QMenu>
#include <QObject>
#include <QWidget>
#include <functional>

namespace yz {

// The right-click menu over the drawing area and the signature. Its entries are actions the
// window owns and carries, so their shortcuts work anywhere in the window, menu open or not;
// an entry is one call to Add.
class CanvasMenu : public QObject {
 public:
  CanvasMenu(QWidget* window, const QList<QWidget*>& areas);

  QAction* Add(const QString& text, const QKeySequence& shortcut, std::function<void()> run);
  void Add(QAction* action) { menu_->addAction(action); }  // one the window already carries
  void AddSeparator();

  QMenu* Menu() const { return menu_; }
  QList<QAction*> Actions() const { return menu_->actions(); }

 private:
  QWidget* window_;
  QMenu* menu_;
};

}  // namespace yz
