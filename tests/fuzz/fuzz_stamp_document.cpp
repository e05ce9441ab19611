// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Damaged PDF bytes through what stamping without a certificate does with a document: opening,
// inspecting it for the window, and stamping every page (the page content read through, wrapped
// or made a form) and writing it whole. Input: the document's bytes. Rules: nothing escapes as
// an exception; a refusal names the document and writes nothing; a written copy opens again
// with the document's pages.
#include <QDir>
#include <QFile>
#include <cstdlib>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include "fuzz_check.h"
#include "sign/document_inspection.h"
#include "sign/sign_document.h"

namespace {

// A blue square as a stamp's one-page PDF, written by hand: the fuzzer needs no fonts or
// painting to have art to place.
yz::StampArt SquareArt() {
  const QByteArray content = "0 0 1 rg 0 0 20 20 re f";
  QByteArray pdf = "%PDF-1.4\n";
  QList<qsizetype> offsets;
  const QByteArray objects[] = {
      "<< /Type /Catalog /Pages 2 0 R >>",
      "<< /Type /Pages /Count 1 /Kids [3 0 R] >>",
      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 20 20] /Contents 4 0 R >>",
      "<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content + "\nendstream"};
  for (int i = 0; i < 4; ++i) {
    offsets << pdf.size();
    pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const qsizetype xref = pdf.size();
  pdf += "xref\n0 5\n0000000000 65535 f \n";
  for (qsizetype offset : offsets) pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
  pdf += "trailer\n<< /Size 5 /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
  yz::StampArt art;
  art.ink = QSizeF(20, 20);
  art.inkMm = QSizeF(20, 20) * (25.4 / 96);
  art.pdf = pdf;
  return art;
}

struct Place {
  QString folder, input, output;
  yz::StampArts arts;
};

const Place& Workplace() {
  static const Place place = [] {
    Place made;
    char pattern[] = "/tmp/fuzz_stamp_document.XXXXXX";
    made.folder = QString::fromLocal8Bit(::mkdtemp(pattern));
    made.input = made.folder + QStringLiteral("/文档.pdf");
    made.output = made.folder + QStringLiteral("/文档-已签.pdf");
    made.arts.stamps.push_back(SquareArt());
    made.arts.seam = SquareArt();
    return made;
  }();
  return place;
}

int PagesOf(const QString& path) {
  QPDF pdf;
  pdf.setSuppressWarnings(true);
  pdf.processFile(QFile::encodeName(path).constData());
  return int(QPDFPageDocumentHelper(pdf).getAllPages().size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Place& place = Workplace();
  QFile::remove(place.output);
  {
    QFile file(place.input);
    YZ_FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(reinterpret_cast<const char*>(data), qint64(size));
  }
  const yz::DocumentInspection inspection = yz::InspectDocument(place.input);
  if (!inspection.failure.isEmpty()) YZ_FUZZ_CHECK(inspection.failure.contains(place.input));

  yz::SigningPlan plan;
  plan.documentPath = place.input;
  plan.outputPath = place.output;
  plan.goOnDespiteSignatures = true;
  yz::Stamp stamp;
  stamp.pages = yz::ParsePageSelection(QStringLiteral("all"));
  stamp.topLeftMm = {20, 30};
  stamp.widthMm = 30;
  stamp.blend = yz::InkBlend::Multiply;
  plan.stamps.push_back(stamp);
  yz::SeamStamp seam;
  seam.pages = yz::ParsePageSelection(QStringLiteral("all"));
  plan.seam = seam;
  const yz::SigningResult result = yz::SignDocument(plan, place.arts);
  if (!result.Ok()) {
    YZ_FUZZ_CHECK(!result.failure.isEmpty());
    YZ_FUZZ_CHECK(!QFile::exists(place.output));
    return 0;
  }
  // What the signer takes, the window offers to sign: the two read a document the same way.
  YZ_FUZZ_CHECK(inspection.CanSign());
  try {
    YZ_FUZZ_CHECK(PagesOf(place.output) == inspection.pageCount);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "the signed copy does not open again: %s\n", error.what());
    YZ_FUZZ_CHECK(false);
  }
  return 0;
}
