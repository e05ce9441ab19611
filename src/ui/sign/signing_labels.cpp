// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sign/signing_labels.h"

#include <QPdfDocument>
#include <QPdfSelection>
#include <QStringList>

namespace yz {

namespace {
constexpr double kMmPerPoint = 25.4 / 72;
constexpr int kMostLabels = 20;  // a form of many fields gets the first ones
}  // namespace

std::vector<QRectF> SigningLabelBoxesMm(QPdfDocument& document, int page, QSizeF pageMm, int rotation) {
  std::vector<QRectF> boxes;
  if (rotation % 360 != 0 || page < 0 || page >= document.pageCount()) return boxes;
  // The library's text boxes are in points from the page's top-left; a crop box that cuts the
  // page would shift them, so a page whose shown size is not its full size is not read.
  const QSizeF points = document.pagePointSize(page);
  if (std::abs(points.width() * kMmPerPoint - pageMm.width()) > 1 ||
      std::abs(points.height() * kMmPerPoint - pageMm.height()) > 1)
    return boxes;
  const QString text = document.getAllText(page).text();
  static const QStringList kLabels = {QStringLiteral("签名"), QStringLiteral("签字"), QStringLiteral("签章"),
                                      QStringLiteral("盖章"), QStringLiteral("签署"), QStringLiteral("Signature"),
                                      QStringLiteral("Signed")};
  for (const QString& label : kLabels) {
    for (qsizetype at = text.indexOf(label, 0, Qt::CaseInsensitive); at >= 0 && boxes.size() < kMostLabels;
         at = text.indexOf(label, at + label.size(), Qt::CaseInsensitive)) {
      const QRectF box = document.getSelectionAtIndex(page, int(at), int(label.size())).boundingRectangle();
      if (!box.isEmpty())
        boxes.emplace_back(box.left() * kMmPerPoint, box.top() * kMmPerPoint, box.width() * kMmPerPoint,
                           box.height() * kMmPerPoint);
    }
  }
  return boxes;
}

}  // namespace yz
