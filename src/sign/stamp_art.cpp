// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/stamp_art.h"

#include <QFont>
#include <QPainter>
#include <cmath>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "export/vector_file.h"
#include "render/control_fonts.h"
#include "render/signature_picture.h"
#include "seams/failure.h"
#include "sign/units.h"
#include "sign/written_pdf.h"

namespace yz {

namespace {

constexpr int kDateTextPixels = 24;

// Qt's page sizes are whole points, so the page is drawn a little larger than the ink and its
// box then set to exactly the ink, which sits at the page's top-left.
QByteArray InkPdf(const VectorDrawing& drawing, const QSizeF& ink, const QString& title) {
  const QSizeF inkPoints = ink * kPointsPerPixel;
  const QByteArray bytes = PdfDocument(
      drawing, title, QSizeF(std::ceil(inkPoints.width()) + 1, std::ceil(inkPoints.height()) + 1));
  QPDF pdf;
  pdf.processMemoryFile("stamp", bytes.constData(), size_t(bytes.size()));
  QPDFPageObjectHelper page = QPDFPageDocumentHelper(pdf).getAllPages().at(0);
  const QPDFObjectHandle::Rectangle media = page.getMediaBox().getArrayAsRectangle();
  page.getObjectHandle().replaceKey(
      "/MediaBox", QPDFObjectHandle::newArray(QPDFObjectHandle::Rectangle(
                       media.llx, media.ury - inkPoints.height(), media.llx + inkPoints.width(),
                       media.ury)));
  QPDFWriter out(pdf);
  out.setDeterministicID(true);
  return WriteToMemory(out);
}

}  // namespace

StampArt ArtOfDrawing(VectorDrawing drawn, const QString& title) {
  const QRectF ink = drawn.InkBounds();
  if (ink.isEmpty()) throw Failure(QStringLiteral("没有可以盖的签名：请先输入姓名。"));
  StampArt art;
  art.drawing = CroppedToInk(std::move(drawn), 0);
  art.ink = ink.size();
  art.inkMm = ink.size() * kMillimetresPerPixel;
  art.pdf = InkPdf(art.drawing, art.ink, title);
  return art;
}

double StampArt::HeightForWidth(double widthMm) const {
  return ink.width() > 0 ? widthMm * ink.height() / ink.width() : 0;
}

StampArt DrawingArt(const DrawingRequest& request, const StampTools& tools) {
  DrawingRequest bare = request;
  bare.background.reset();
  return ArtOfDrawing(
      DrawSignatureShapes(bare, tools.installation, tools.fonts, tools.pictures, true),
      request.textCN);
}

StampArt TextArt(const QString& text, Colour ink) {
  QFont font;
  font.setFamilies(DialogFontFamilies());
  font.setPixelSize(kDateTextPixels);
  QPainterPath outline;
  outline.addText(0, 0, font, text);
  VectorDrawing drawing;
  drawing.whiteGround = false;
  drawing.shapes.push_back({outline, ToQColor(ink)});
  return ArtOfDrawing(std::move(drawing), text);
}

StampArt StampArtFor(const Stamp& stamp, const StampTools& tools) {
  if (stamp.kind == Stamp::Kind::Date) return TextArt(stamp.dateText, stamp.dateInk);
  return DrawingArt(stamp.request, tools);
}

void PaintStampArt(QPainter& painter, const StampArt& art, const QRectF& target) {
  if (art.ink.isEmpty()) return;
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(target.width() / art.ink.width(), target.height() / art.ink.height());
  art.drawing.Paint(painter);
  painter.restore();
}

}  // namespace yz
