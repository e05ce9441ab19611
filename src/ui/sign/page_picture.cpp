// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sign/page_picture.h"

#include <QPainter>
#include <QPdfDocument>
#include <algorithm>
#include <cmath>

namespace yz {

QImage PagePicture(QPdfDocument& document, int page, QSize size) {
  QImage paper(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  paper.fill(Qt::white);
  const QImage drawn = document.render(page, paper.size());
  if (!drawn.isNull()) {
    QPainter painter(&paper);
    painter.drawImage(paper.rect(), drawn);
  }
  return paper;
}

QSize FittedPageSize(QSizeF pageMm, QSize box) {
  if (pageMm.width() <= 0 || pageMm.height() <= 0) return QSize(1, 1);
  const double scale = std::min(box.width() / pageMm.width(), box.height() / pageMm.height());
  return QSize(std::max(1, int(std::floor(pageMm.width() * scale))),
               std::max(1, int(std::floor(pageMm.height() * scale))));
}

}  // namespace yz
