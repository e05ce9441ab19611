// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QList>
#include <QObject>

class QWidget;

namespace yz {

// Puts a picture on the clipboard as PNG bytes (image/png, which keeps a transparent ground)
// and as an image, which the platform offers in its own image types.
void CopyPictureToClipboard(const QImage& picture);

// Ctrl+C copies the picture except where a text box (a line edit, an editable combo box) has
// text selected: there it copies that text as usual. Without a selection the boxes let the
// window's shortcut have the key.
class TextCopyYields : public QObject {
 public:
  TextCopyYields(const QList<QWidget*>& boxes, QObject* parent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace yz
