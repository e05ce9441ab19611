// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "export/practice_sheet.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

#include "export/whole_file.h"
#include "render/control_fonts.h"
#include "render/font_size.h"
#include "render/signature_picture.h"
#include "seams/failure.h"

namespace yz {

namespace {

// All in points.
constexpr double kPointsPerPixel = 72.0 / 96.0;  // the canvas draws at 96 pixels to the inch
constexpr double kPadding = 7;                   // around the signature inside its frame
constexpr double kColumnGap = 8;
constexpr double kRowGap = 8;   // white between rows, so each row reads as one line to write
constexpr double kHeadingHeight = 26;
constexpr int kHeadingPixels = 14;
constexpr int kMinPaleRows = 3;
constexpr int kMinRows = 1 + kMinPaleRows + 1;
constexpr double kPaleStrength = 0.15;
constexpr double kPixelMargin = 1;  // kept around the ink so its smoothed edge is not clipped

// Traditional copybooks rule their frames in red; a light red with full red stays clear of
// any ink's darkness.
const QColor kFrameColour(255, 140, 140);
const QColor kBaselineColour(255, 180, 180);

QColor Pale(QColor colour) {
  const auto pale = [](double channel) { return 1 - kPaleStrength * (1 - channel); };
  return QColor::fromRgbF(float(pale(colour.redF())), float(pale(colour.greenF())),
                          float(pale(colour.blueF())), colour.alphaF());
}

QString NameDrawn(const DrawingRequest& request, const QString& styleName) {
  return styleName.contains(QStringLiteral("英文签")) ? request.textEN : request.textCN;
}

QString HeadingWithScale(const QString& heading, double scale) {
  if (scale >= 1) return heading;
  return heading + QStringLiteral("（整页放不下，已缩小到 %1%）").arg(std::floor(scale * 100));
}

// A heading longer than the line (a very long name) is made smaller, not cut.
void PaintHeading(QPainter& painter, const QString& text, double width) {
  QFont font;
  font.setFamilies(DialogFontFamilies());
  font.setPixelSize(kHeadingPixels);
  QPainterPath outline;
  outline.addText(0, kHeadingPixels + 2, font, text);
  const double length = outline.boundingRect().right();
  if (length > width) outline = QTransform::fromScale(width / length, width / length).map(outline);
  painter.fillPath(outline, QColor(30, 30, 30));
}

void PaintFrame(QPainter& painter, const QRectF& frame, double baseline) {
  painter.setPen(QPen(kFrameColour, 0.6));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(frame);
  QPen dashed(kBaselineColour, 0.5, Qt::DashLine);
  painter.setPen(dashed);
  painter.drawLine(QPointF(frame.left() + 3, baseline), QPointF(frame.right() - 3, baseline));
}

}  // namespace

QRectF SheetLayout::Frame(int row, int column) const {
  return QRectF(QPointF(column * columnStep, headingHeight + row * rowStep), frame);
}

SheetLayout LayOutSheet(const QSizeF& signaturePoints, const QSizeF& printable) {
  SheetLayout layout;
  layout.headingHeight = kHeadingHeight;
  const double rowsHeight = printable.height() - kHeadingHeight;
  const double w = std::max(signaturePoints.width(), 1.0);
  const double h = std::max(signaturePoints.height(), 1.0);
  const double fitsAcross = (printable.width() - 2 * kPadding) / w;
  const double fitsDown = ((rowsHeight + kRowGap) / kMinRows - kRowGap - 2 * kPadding) / h;
  // A page too small for any frame still gets a drawing, however small, rather than nothing.
  layout.scale = std::max(std::min({1.0, fitsAcross, fitsDown}), 0.01);
  layout.signature = QSizeF(w, h) * layout.scale;
  layout.frame = layout.signature.grownBy(QMarginsF(kPadding, kPadding, kPadding, kPadding));
  layout.columns = std::max(
      1, int(std::floor((printable.width() + kColumnGap) / (layout.frame.width() + kColumnGap))));
  // The row spans the printable width: what is left over widens the frames, room to write in.
  layout.frame.setWidth(
      std::max(layout.frame.width(),
               (printable.width() - (layout.columns - 1) * kColumnGap) / layout.columns));
  layout.columnStep = layout.frame.width() + kColumnGap;
  layout.rowStep = layout.frame.height() + kRowGap;
  const int rows =
      std::max(kMinRows, int(std::floor((rowsHeight + kRowGap) / layout.rowStep)));
  layout.paleRows = std::max(kMinPaleRows, (rows - 1) / 2);
  layout.emptyRows = rows - 1 - layout.paleRows;
  return layout;
}

PracticeSheet MakePracticeSheet(const DrawingRequest& request, const Installation& installation,
                                QtFontRegistry& fonts, PictureLoader& pictures) {
  DrawingRequest bare = request;
  bare.background.reset();
  bare.x = bare.y = -1;
  VectorDrawing drawn = DrawSignatureShapes(bare, installation, fonts, pictures, true);
  if (drawn.shapes.empty())
    throw Failure(QStringLiteral("没有可以写的签名：请先输入姓名。"));
  const QString styleName = installation.catalogue.styleNames.value(request.style);
  const QString name = NameDrawn(request, styleName);
  return {CroppedToInk(std::move(drawn), kPixelMargin),
          QStringLiteral("练字帖　%1　%2　%3 磅")
              .arg(name, styleName, QString::number(ParseFontSize(request.sizeText)))};
}

void PaintPracticeSheet(QPainter& painter, const PracticeSheet& sheet, const QSizeF& printable) {
  const SheetLayout layout = LayOutSheet(QSizeF(sheet.signature.size) * kPointsPerPixel, printable);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  PaintHeading(painter, HeadingWithScale(sheet.heading, layout.scale), printable.width());
  for (int row = 0; row < layout.Rows(); ++row) {
    for (int column = 0; column < layout.columns; ++column) {
      const QRectF frame = layout.Frame(row, column);
      const QPointF at(frame.center().x() - layout.signature.width() / 2, frame.top() + kPadding);
      PaintFrame(painter, frame, at.y() + layout.signature.height());
      if (row > layout.paleRows) continue;  // the empty rows
      painter.save();
      painter.translate(at);
      painter.scale(layout.scale * kPointsPerPixel, layout.scale * kPointsPerPixel);
      const std::function<QColor(QColor)> ink = row == 0 ? nullptr : Pale;
      sheet.signature.Paint(painter, ink);
      painter.restore();
    }
  }
  painter.restore();
}

QByteArray PracticeSheetPdf(const PracticeSheet& sheet) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter pdf(&buffer);
  pdf.setTitle(sheet.heading);
  pdf.setCreator(QStringLiteral("砚舟签名设计"));
  pdf.setResolution(72);  // one unit a point, as PaintPracticeSheet draws
  pdf.setPageSize(QPageSize(QPageSize::A4));
  pdf.setPageOrientation(QPageLayout::Portrait);
  pdf.setPageMargins(QMarginsF(kSheetMargin, kSheetMargin, kSheetMargin, kSheetMargin),
                     QPageLayout::Point);
  QPainter painter(&pdf);
  PaintPracticeSheet(painter, sheet, pdf.pageLayout().paintRect(QPageLayout::Point).size());
  painter.end();
  return bytes;
}

void WritePracticeSheetFile(const DrawingRequest& request, const Installation& installation,
                            QtFontRegistry& fonts, PictureLoader& pictures, const QString& path) {
  const QByteArray bytes =
      PracticeSheetPdf(MakePracticeSheet(request, installation, fonts, pictures));
  if (const QString reason = WriteFileWhole(path, bytes); !reason.isEmpty())
    throw Failure(QStringLiteral("无法保存练字帖：%1\n原因：%2").arg(path, reason));
}

}  // namespace yz
