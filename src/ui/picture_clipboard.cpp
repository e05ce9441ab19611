// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/picture_clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>

#include "seams/failure.h"

namespace yz {

void CopyPictureToClipboard(const QImage& picture) {
  QByteArray png;
  QBuffer buffer(&png);
  if (picture.isNull() || !buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG"))
    throw Failure(QStringLiteral("无法复制签名图片：图片无法转换为 PNG。"));
  auto* data = new QMimeData;
  data->setImageData(picture);
  data->setData(QStringLiteral("image/png"), png);
  QGuiApplication::clipboard()->setMimeData(data);
}

TextCopyYields::TextCopyYields(const QList<QWidget*>& boxes, QObject* parent) : QObject(parent) {
  for (QWidget* box : boxes) box->installEventFilter(this);
}

bool TextCopyYields::eventFilter(QObject* watched, QEvent* event) {
  // A text box claims Ctrl+C before any shortcut sees it, selection or not; held back here
  // while nothing is selected, the key reaches the window's copy.
  if (event->type() == QEvent::ShortcutOverride &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    // An editable combo box takes the override itself and hands it to its line edit unfiltered.
    const auto* combo = qobject_cast<QComboBox*>(watched);
    const auto* box = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(watched);
    if (box && !box->hasSelectedText()) return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace yz
