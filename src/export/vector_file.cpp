// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "export/vector_file.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace yz {

namespace {
constexpr int kPixelsPerInch = 96;
}

QByteArray SvgDocument(const VectorDrawing& drawing, const QString& title) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(drawing.size);
  svg.setViewBox(QRect(QPoint(0, 0), drawing.size));
  svg.setResolution(kPixelsPerInch);
  svg.setTitle(title);
  QPainter painter(&svg);
  drawing.Paint(painter);
  painter.end();
  return bytes;
}

QByteArray PdfDocument(const VectorDrawing& drawing, const QString& title) {
  return PdfDocument(drawing, title, QSizeF(drawing.size) * 72.0 / kPixelsPerInch);
}

QByteArray PdfDocument(const VectorDrawing& drawing, const QString& title,
                       const QSizeF& pagePoints) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter pdf(&buffer);
  pdf.setTitle(title);
  pdf.setCreator(QStringLiteral("砚舟签名设计"));
  pdf.setResolution(kPixelsPerInch);
  pdf.setPageSize(QPageSize(pagePoints, QPageSize::Point, QString(), QPageSize::ExactMatch));
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  QPainter painter(&pdf);
  drawing.Paint(painter);
  painter.end();
  return bytes;
}

bool IsVectorFile(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  return suffix == QStringLiteral("svg") || suffix == QStringLiteral("pdf");
}

}  // namespace yz
