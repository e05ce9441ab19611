// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QListWidget>
#include <QSizeF>
#include <QTimer>

class QPdfDocument;

namespace yz {

// The document's pages as a column of thumbnails. A document of a thousand pages opens at once:
// every page starts as blank paper of its shape, and only the thumbnails that come into view
// are drawn, one per turn of the event loop, so that scrolling and typing never wait for them.
// The page on screen is framed, and a red corner marks each page that gets a stamp or a slice
// of the 骑缝章.
class SignPageList : public QListWidget {
 public:
  static constexpr QSize kThumbnailBox{96, 128};

  explicit SignPageList(QWidget* parent = nullptr);

  // Lists the pages of `document` (sizes in millimetres, after crop and rotation).
  void ShowDocument(QPdfDocument* document, const QList<QSizeF>& pageSizesMm);
  // How many thumbnails have been drawn since the document was shown.
  int DrawnCount() const { return drawnCount_; }
  bool IsDrawn(int page) const { return drawn_.value(page - 1); }
  // Which pages (from 1, as the list's rows from 0) carry a stamp or a slice.
  void SetMarks(const QList<bool>& marked);
  bool IsMarked(int page) const { return marks_.value(page - 1); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void DrawNextVisible();
  QIcon BlankIcon(QSizeF pageMm) const;

  QPdfDocument* document_ = nullptr;
  QList<QSizeF> sizesMm_;
  QList<bool> drawn_;
  QList<bool> marks_;
  int drawnCount_ = 0;
  QTimer next_;
};

}  // namespace yz
