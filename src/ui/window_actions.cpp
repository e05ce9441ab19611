// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window_actions.h"

#include <QWidget>

#include "ui/image_control.h"

namespace yz {

namespace {

QAction* ButtonAction(QWidget* window, const QString& caption, QKeyCombination key,
                      ImageControl* button) {
  auto* action = new QAction(caption, window);
  action->setShortcut(QKeySequence(key));
  // Shown beside the caption in a menu; the shortcut itself works with no menu open.
  action->setShortcutVisibleInContextMenu(true);
  window->addAction(action);
  QObject::connect(action, &QAction::triggered, button, &ImageControl::Click);
  return action;
}

}  // namespace

WindowActions::WindowActions(QWidget* window, ImageControl* imgSave, ImageControl* imgPrint)
    : QObject(window),
      save(ButtonAction(window, QStringLiteral("保存签名"), Qt::CTRL | Qt::Key_S, imgSave)),
      print(ButtonAction(window, QStringLiteral("打印签名"), Qt::CTRL | Qt::Key_P, imgPrint)) {}

}  // namespace yz
