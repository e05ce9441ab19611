// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAction>
#include <QList>
#include <QObject>

class QWidget;

namespace yz {

class ImageControl;

// The window's commands as actions, kept in one place so that a menu can list them as they are:
// each carries its caption and shortcut, works anywhere in the window, and does exactly what a
// click on its painted button does.
class WindowActions : public QObject {
  Q_OBJECT
 public:
  WindowActions(QWidget* window, ImageControl* imgSave, ImageControl* imgPrint);

  QAction* const save;   // 保存签名, Ctrl+S
  QAction* const print;  // 打印签名, Ctrl+P

  QList<QAction*> All() const { return {save, print}; }
};

}  // namespace yz
