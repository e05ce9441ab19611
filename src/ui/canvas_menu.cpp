// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/canvas_menu.h"

namespace yz {

CanvasMenu::CanvasMenu(QWidget* window, const QList<QWidget*>& areas)
    : QObject(window), window_(window), menu_(new QMenu(window)) {
  for (QWidget* area : areas) {
    area->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(area, &QWidget::customContextMenuRequested, menu_,
            [this, area](const QPoint& at) { menu_->popup(area->mapToGlobal(at)); });
  }
}

QAction* CanvasMenu::Add(const QString& text, const QKeySequence& shortcut,
                         std::function<void()> run) {
  auto* action = new QAction(text, window_);
  action->setShortcut(shortcut);
  action->setShortcutVisibleInContextMenu(true);  // a menu is where shortcuts are learnt
  connect(action, &QAction::triggered, window_, [run = std::move(run)] { run(); });
  window_->addAction(action);
  menu_->addAction(action);
  return action;
}

void CanvasMenu::AddSeparator() { menu_->addSeparator(); }

}  // namespace yz
