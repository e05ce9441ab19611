// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/signing_fixture.h"

#include <QFile>
#include <QPainterPath>
#include <QProcess>
#include <QTemporaryDir>

namespace yz::testing {

namespace {

QByteArray Ref(int object) { return QByteArray::number(object) + " 0 R"; }

// The text of one page and a black square at 20-60 mm, 100-140 mm from the top-left of its box
// (as shown, on an upright page), in a box whose lower left is (x, y) and height h.
QByteArray PageContent(int number, double x, double y, double h) {
  constexpr double mm = 72 / 25.4;
  return QStringLiteral("0 0 0 rg %1 %2 %3 %3 re f\nBT /F1 24 Tf %4 %5 Td (Page %6) Tj ET\n")
      .arg(x + 20 * mm)
      .arg(y + h - 140 * mm)
      .arg(40 * mm)
      .arg(x + 20)
      .arg(y + 20)
      .arg(number)
      .toLatin1();
}

}  // namespace

QByteArray StreamObject(const QByteArray& data, const QByteArray& extraKeys) {
  return "<< /Length " + QByteArray::number(data.size()) + " " + extraKeys + " >>\nstream\n" +
         data + "\nendstream";
}

QByteArray PdfFromObjects(const std::vector<QByteArray>& objects) {
  QByteArray out = "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n";
  std::vector<qsizetype> offsets;
  for (size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(out.size());
    out += QByteArray::number(qsizetype(i + 1)) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const qsizetype xref = out.size();
  out += "xref\n0 " + QByteArray::number(qsizetype(objects.size() + 1)) + "\n0000000000 65535 f \n";
  for (qsizetype offset : offsets)
    out += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
  out += "trailer\n<< /Size " + QByteArray::number(qsizetype(objects.size() + 1)) +
         " /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
  return out;
}

QByteArray SignedFormPdf() {
  return PdfFromObjects({
      "<< /Type /Catalog /Pages 2 0 R /AcroForm << /Fields [4 0 R] /SigFlags 3 >> >>",
      "<< /Type /Pages /Count 1 /Kids [3 0 R] /MediaBox [0 0 612 792] >>",
      "<< /Type /Page /Parent 2 0 R /Annots [4 0 R] >>",
      "<< /FT /Sig /T (signature) /Type /Annot /Subtype /Widget /Rect [0 0 0 0] /P 3 0 R /V 5 0 R >>",
      "<< /Type /Sig /Filter /Adobe.PPKLite /SubFilter /adbe.pkcs7.detached /ByteRange [0 0 0 0] "
      "/Contents <00> >>",
  });
}

QByteArray PageKindsPdf() {
  // Objects: 1 catalogue, 2 page-tree root, 3 shared resources, 4 font, 5 inner node,
  // 6.. pages and their contents (page n at 6 + 2 (n - 1), its content right after).
  struct Kind {
    QByteArray keys;  // the page's own keys
    double x, y, h;
    QByteArray after;  // content after the page's drawing
    bool inner = false;
  };
  const std::vector<Kind> kinds = {
      {"/Resources 3 0 R", 0, 0, 792, ""},
      {"/Resources 3 0 R /Rotate 90", 0, 0, 792, ""},
      {"/Resources 3 0 R /Rotate 180", 0, 0, 792, ""},
      {"/Resources 3 0 R /Rotate 270", 0, 0, 792, ""},
      {"/MediaBox [0 0 595 842]", 0, 0, 842, "", true},
      {"/Resources 3 0 R /MediaBox [100 200 712 992] /CropBox [150 260 650 900]", 150, 260, 640,
       ""},
      {"/Resources 3 0 R /Rotate 90 /MediaBox [-50 -80 562 712] /CropBox [0 0 500 700]", 0, 0, 700,
       ""},
      {"/Resources 3 0 R", 0, 0, 792, "q 0.5 0 0 0.5 0 0 cm 1 0 0 1 300 300 cm q\n"},
      {"/Resources 3 0 R", 0, 0, 792, "Q Q 2 0 0 2 0 0 cm\n"},
  };
  std::vector<QByteArray> objects(5);
  QByteArray kids, innerKids;
  for (size_t i = 0; i < kinds.size(); ++i) {
    const Kind& k = kinds[i];
    const int page = 6 + 2 * int(i);
    const QByteArray parent = k.inner ? "5 0 R" : "2 0 R";
    objects.push_back("<< /Type /Page /Parent " + parent + " " + k.keys + " /Contents " +
                      Ref(page + 1) + " >>");
    objects.push_back(StreamObject(
        PageContent(int(i) + 1, k.x, k.y, k.h) + k.after));
    if (k.inner) {
      innerKids += Ref(page) + " ";
      kids += "5 0 R ";
    } else {
      kids += Ref(page) + " ";
    }
  }
  objects[0] = "<< /Type /Catalog /Pages 2 0 R >>";
  objects[1] = "<< /Type /Pages /MediaBox [0 0 612 792] /Count " +
               QByteArray::number(qsizetype(kinds.size())) + " /Kids [" + kids + "] >>";
  objects[2] = "<< /Font << /F1 4 0 R >> >>";
  objects[3] = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
  objects[4] = "<< /Type /Pages /Parent 2 0 R /Rotate -90 /Resources << /Font << /F1 4 0 R >> >> "
               "/Count 1 /Kids [" + innerKids + "] >>";
  return PdfFromObjects(objects);
}

QByteArray PlainPdf(int count) {
  std::vector<QByteArray> objects(3);
  QByteArray kids;
  for (int i = 0; i < count; ++i) {
    kids += Ref(4 + 2 * i) + " ";
    objects.push_back("<< /Type /Page /Parent 2 0 R /Contents " + Ref(5 + 2 * i) + " >>");
    objects.push_back(StreamObject(PageContent(i + 1, 0, 0, 792)));
  }
  objects[0] = "<< /Type /Catalog /Pages 2 0 R >>";
  objects[1] = "<< /Type /Pages /MediaBox [0 0 612 792] /Resources << /Font << /F1 3 0 R >> >> "
               "/Count " + QByteArray::number(count) + " /Kids [" + kids + "] >>";
  objects[2] = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
  return PdfFromObjects(objects);
}

bool BlueStampCovers(double x, double y) {
  const bool bar = x < 10 && y < 60;                // down the left
  const bool top = y < 10 && x < 40;                // along the top
  const bool dot = x >= 30 && y >= 50 && x < 40;    // the far corner
  return (bar || top || dot) && x >= 0 && y >= 0 && x < 40 && y < 60;
}

StampArt BlueStamp() {
  VectorDrawing drawing;
  drawing.size = QSize(200, 200);
  QPainterPath path;
  path.addRect(50, 70, 10, 60);
  path.addRect(50, 70, 40, 10);
  path.addRect(80, 120, 10, 10);
  path.setFillRule(Qt::WindingFill);
  drawing.shapes.push_back({path, QColor(0, 0, 255)});
  return ArtOfDrawing(drawing, QStringLiteral("test"));
}

StampArt RedSquare() {
  VectorDrawing red;
  QPainterPath square;
  square.addRect(0, 0, 30, 30);
  red.shapes.push_back({square, QColor(255, 0, 0)});
  return ArtOfDrawing(red, QStringLiteral("red"));
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

QByteArray ToolOutput(const QString& program, const QStringList& arguments, int* status) {
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(120000);
  if (status) *status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  return process.readAllStandardOutput();
}

QImage RenderPage(const QString& pdf, int page, int dpi) {
  QTemporaryDir folder;
  const QString stem = folder.filePath(QStringLiteral("page"));
  ToolOutput(QStringLiteral("pdftoppm"),
             {QStringLiteral("-cropbox"), QStringLiteral("-r"), QString::number(dpi),
              QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
              QString::number(page), QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf,
              stem});
  return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

bool IsBlue(QRgb pixel) {
  return qBlue(pixel) > 128 && qRed(pixel) < 128 && qGreen(pixel) < 128;
}

QRect BlueBounds(const QImage& picture) {
  QRect bounds;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (IsBlue(picture.pixel(x, y))) bounds |= QRect(x, y, 1, 1);
  return bounds;
}

SigningPlan OneStampPlan(const QString& document, const QString& output, const QString& pages,
                         QPointF topLeftMm, double widthMm) {
  SigningPlan plan;
  plan.documentPath = document;
  plan.outputPath = output;
  Stamp stamp;
  stamp.pages = ParsePageSelection(pages);
  stamp.topLeftMm = topLeftMm;
  stamp.widthMm = widthMm;
  plan.stamps.push_back(stamp);
  return plan;
}

}  // namespace yz::testing
