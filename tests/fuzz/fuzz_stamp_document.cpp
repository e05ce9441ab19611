// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Damaged PDF bytes through what signing does with a document: opening, inspecting it for the
// window, stamping every page (the page content read through, wrapped or made a form) and
// writing it whole; then signing it with a certificate by appending one update (stamps as
// annotations, the signature's widget), stamping that signed copy again by appending, and
// verifying what was written. Input: the document's bytes. Rules: nothing escapes as an
// exception; a refusal names the document and writes nothing; a written copy opens again with
// the document's pages; an appended copy keeps the original as its prefix, and every signature
// that was intact before (ours included) is intact after.
#include <QDir>
#include <QFile>
#include <cstdlib>
#include <map>
#include <openssl/evp.h>
#include <openssl/x509.h>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include "certificates/key_signer.h"
#include "fuzz_check.h"
#include "sign/document_inspection.h"
#include "sign/sign_document.h"
#include "verification/verify_signatures.h"

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

// A signer of an ECDSA key made in memory once, with a self-signed certificate valid now.
std::shared_ptr<const yz::Signer> MakeSigner() {
  yz::ossl::Key key(EVP_EC_gen("P-256"));
  yz::ossl::Certificate certificate(X509_new());
  X509_set_version(certificate.get(), 2);
  X509_gmtime_adj(X509_getm_notBefore(certificate.get()), -86400);
  X509_gmtime_adj(X509_getm_notAfter(certificate.get()), 30 * 86400);
  X509_NAME* name = X509_get_subject_name(certificate.get());
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8,
                             reinterpret_cast<const unsigned char*>("fuzz"), -1, -1, 0);
  X509_set_issuer_name(certificate.get(), name);
  X509_set_pubkey(certificate.get(), key.get());
  X509_sign(certificate.get(), key.get(), EVP_sha256());
  std::vector<yz::ossl::Certificate> chain;
  chain.push_back(std::move(certificate));
  return std::make_shared<yz::KeySigner>(std::move(key), std::move(chain), QStringLiteral("fuzz"));
}

struct Place {
  QString folder, input, output, signedOutput, stampedOutput;
  yz::StampArts arts;
  std::shared_ptr<const yz::Signer> signer;
};

const Place& Workplace() {
  static const Place place = [] {
    Place made;
    char pattern[] = "/tmp/fuzz_stamp_document.XXXXXX";
    made.folder = QString::fromLocal8Bit(::mkdtemp(pattern));
    made.input = made.folder + QStringLiteral("/文档.pdf");
    made.output = made.folder + QStringLiteral("/文档-已签.pdf");
    made.signedOutput = made.folder + QStringLiteral("/文档-证书.pdf");
    made.stampedOutput = made.folder + QStringLiteral("/文档-又盖.pdf");
    made.signer = MakeSigner();
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

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The fields whose signatures verify as intact, by name.
std::map<QString, bool> IntactSignatures(const QString& path) {
  std::map<QString, bool> intact;
  for (const yz::DocumentSignature& field : yz::VerifyDocumentSignatures(path).fields)
    if (field.check && field.check->verdict == yz::SignatureCheck::Verdict::Intact)
      intact[field.fieldName] = field.check->coversWholeDocument;
  return intact;
}

yz::SigningPlan StampEveryPage(const QString& input, const QString& output) {
  yz::SigningPlan plan;
  plan.documentPath = input;
  plan.outputPath = output;
  yz::Stamp stamp;
  stamp.pages = yz::ParsePageSelection(QStringLiteral("all"));
  stamp.topLeftMm = {20, 30};
  stamp.widthMm = 30;
  stamp.blend = yz::InkBlend::Multiply;
  plan.stamps.push_back(stamp);
  yz::SeamStamp seam;
  seam.pages = yz::ParsePageSelection(QStringLiteral("all"));
  plan.seam = seam;
  return plan;
}

// Whole rewrite: the window and the signer read a document alike.
void Rewrite(const Place& place, const yz::DocumentInspection& inspection) {
  yz::SigningPlan plan = StampEveryPage(place.input, place.output);
  plan.goOnDespiteSignatures = true;
  const yz::SigningResult result = yz::SignDocument(plan, place.arts);
  if (!result.Ok()) {
    YZ_FUZZ_CHECK(!result.failure.isEmpty());
    YZ_FUZZ_CHECK(!QFile::exists(place.output));
    return;
  }
  // What the signer takes, the window offers to sign: the two read a document the same way.
  YZ_FUZZ_CHECK(inspection.CanSign());
  try {
    YZ_FUZZ_CHECK(PagesOf(place.output) == inspection.pageCount);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "the signed copy does not open again: %s\n", error.what());
    YZ_FUZZ_CHECK(false);
  }
}

// One update appended to `input`, written to `output`; false when refused (with its reason,
// nothing written). Every signature intact before stays intact, the original is the prefix,
// and the certificate's own signature covers the whole file.
bool Append(const yz::SigningPlan& plan, const Place& place) {
  QFile::remove(plan.outputPath);
  const std::map<QString, bool> before = IntactSignatures(plan.documentPath);
  const yz::SigningResult result = yz::SignDocument(plan, place.arts);
  if (!result.Ok()) {
    YZ_FUZZ_CHECK(!result.failure.isEmpty());
    YZ_FUZZ_CHECK(!QFile::exists(plan.outputPath));
    return false;
  }
  YZ_FUZZ_CHECK(result.appended);
  YZ_FUZZ_CHECK(Contents(plan.outputPath).startsWith(Contents(plan.documentPath)));
  const std::map<QString, bool> after = IntactSignatures(plan.outputPath);
  for (const auto& intact : before) YZ_FUZZ_CHECK(after.count(intact.first) == 1);
  if (plan.certificate) {
    const auto ours = after.find(result.signatureField);
    YZ_FUZZ_CHECK(ours != after.end() && ours->second);
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Bounded work per input: a document this size already holds every structure worth trying.
  if (size > 64 * 1024) return 0;
  const Place& place = Workplace();
  QFile::remove(place.output);
  {
    QFile file(place.input);
    YZ_FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(reinterpret_cast<const char*>(data), qint64(size));
  }
  const yz::DocumentInspection inspection = yz::InspectDocument(place.input);
  if (!inspection.failure.isEmpty()) YZ_FUZZ_CHECK(inspection.failure.contains(place.input));
  Rewrite(place, inspection);

  yz::SigningPlan certified = StampEveryPage(place.input, place.signedOutput);
  certified.certificate = yz::CertificateSigning{};
  certified.certificate->signer = place.signer;
  if (!Append(certified, place)) return 0;
  // Stamps without a certificate on a signed document are appended too.
  Append(StampEveryPage(place.signedOutput, place.stampedOutput), place);
  return 0;
}
