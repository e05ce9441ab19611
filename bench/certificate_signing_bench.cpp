// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Signing a 100 MB document of 1,000 pages with a certificate (the signature on every page, one
// update appended and hashed in one pass) against what reading the file once costs (sha256sum
// of the same file) and against the whole rewrite the same stamps take without a certificate;
// the memory it peaks at against the file's size.
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <map>
#include <unistd.h>

#include "app/style_rules.h"
#include "bench_installation.h"
#include "certificates/my_certificates.h"
#include "certificates/pkcs12_file.h"
#include "render/qt_picture_loader.h"
#include "sign/sign_document.h"

namespace {

constexpr int kImageSide = 184;  // 184 × 184 RGB, about 100 KB a page

QTemporaryDir& Folder() {
  static QTemporaryDir folder;
  return folder;
}

// `pages` pages, each with its number in Helvetica and a picture of noise nothing compresses:
// a document as large as scanned contracts are. Written once, streamed to the disk.
QString LargeDocument(int pages) {
  static std::map<int, QString> made;
  if (const auto it = made.find(pages); it != made.end()) return it->second;
  const QString path = Folder().filePath(QStringLiteral("large-%1.pdf").arg(pages));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return {};
  std::vector<qint64> offsets;
  const auto object = [&](const QByteArray& head, const QByteArray& stream = {}) {
    offsets.push_back(file.pos());
    file.write(QByteArray::number(qsizetype(offsets.size())) + " 0 obj\n" + head);
    if (!stream.isNull()) file.write("\nstream\n" + stream + "\nendstream");
    file.write("\nendobj\n");
  };
  file.write("%PDF-1.7\n%\xe2\xe3\xcf\xd3\n");
  QByteArray kids;
  for (int i = 0; i < pages; ++i) kids += QByteArray::number(4 + 3 * i) + " 0 R ";
  object("<< /Type /Catalog /Pages 2 0 R >>");
  object("<< /Type /Pages /Count " + QByteArray::number(pages) + " /Kids [" + kids + "] >>");
  object("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
  QByteArray noise(kImageSide * kImageSide * 3, Qt::Uninitialized);
  quint32 state = 2463534242u;
  for (int i = 0; i < pages; ++i) {
    for (char& byte : noise) {  // xorshift: fast, and nothing compresses it
      state ^= state << 13, state ^= state >> 17, state ^= state << 5;
      byte = char(state);
    }
    const QByteArray n = QByteArray::number(5 + 3 * i), image = QByteArray::number(6 + 3 * i);
    object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 3 0 R >> "
           "/XObject << /Im " + image + " 0 R >> >> /Contents " + n + " 0 R >>");
    const QByteArray content = "BT /F1 24 Tf 72 760 Td (Page " + QByteArray::number(i + 1) +
                               ") Tj ET q 200 0 0 200 300 300 cm /Im Do Q";
    object("<< /Length " + QByteArray::number(content.size()) + " >>", content);
    object("<< /Type /XObject /Subtype /Image /Width " + QByteArray::number(kImageSide) +
               " /Height " + QByteArray::number(kImageSide) +
               " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Length " +
               QByteArray::number(noise.size()) + " >>",
           noise);
  }
  const qint64 xref = file.pos();
  file.write("xref\n0 " + QByteArray::number(qsizetype(offsets.size() + 1)) + "\n0000000000 65535 f \n");
  for (qint64 offset : offsets) file.write(QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n");
  file.write("trailer\n<< /Size " + QByteArray::number(qsizetype(offsets.size() + 1)) +
             " /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n");
  return made[pages] = file.flush() ? path : QString();
}

std::map<std::string, double>& Seconds() {
  static std::map<std::string, double> seconds;
  return seconds;
}

template <typename Step>
double Timed(benchmark::State& state, Step step) {
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) step();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
         double(state.iterations());
}

// The process's resident memory now and at its peak since the last reset, in megabytes.
double MemoryMb(const char* field) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith(field)) return line.mid(qsizetype(strlen(field))).trimmed().split(' ').first().toDouble() / 1024;
  return 0;
}
void ResetPeakMemory() {
  QFile clear(QStringLiteral("/proc/self/clear_refs"));
  if (clear.open(QIODevice::WriteOnly)) clear.write("5");
}

// The signature of 公文签 on every page; with a certificate, one the program made itself.
struct Prepared {
  yz::SigningPlan plan;
  yz::StampArts arts;
};
Prepared Prepare(const QString& input, bool withCertificate) {
  Prepared p;
  const yz::Catalogue& catalogue = yz::bench::Installed().catalogue;
  yz::Stamp stamp;
  stamp.request.style = int(catalogue.styleNames.indexOf(yz::kDefaultStyle));
  stamp.request.textCN = QStringLiteral("纪元朗");
  stamp.request.sizeText = QStringLiteral("72");
  stamp.topLeftMm = {30, 40};
  p.plan.documentPath = input;
  p.plan.outputPath = Folder().filePath(QStringLiteral("signed.pdf"));
  p.plan.stamps.push_back(stamp);
  yz::QtFontRegistry fonts;
  yz::QtPictureLoader pictures;
  p.arts = yz::DrawStampArts(p.plan, {yz::bench::Installed(), fonts, pictures});
  if (withCertificate) {
    qputenv("XDG_DATA_HOME", QFile::encodeName(Folder().path()));
    static const yz::MyCertificate mine = yz::CreateMyCertificate(
        {QStringLiteral("纪元朗"), {}, {}, yz::MyKeyKind::EcdsaP256, QStringLiteral("bench")});
    p.plan.certificate = yz::CertificateSigning{};
    p.plan.certificate->signer = yz::OpenPkcs12(mine.pkcs12Path, QStringLiteral("bench"));
  }
  return p;
}

void BM_Sha256sum(benchmark::State& state) {
  const QString input = LargeDocument(int(state.range(0)));
  if (input.isEmpty()) return state.SkipWithError("could not write the document");
  Seconds()["sha256sum"] = Timed(state, [&] {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(QStringLiteral("sha256sum"), {input});
    process.waitForFinished(-1);
  });
  state.counters["file_mb"] = double(QFileInfo(input).size()) / (1 << 20);
}

// What any signing that writes a new file cannot avoid: reading the file once and writing it
// again, synced to the disk.
void BM_CopyFloor(benchmark::State& state) {
  const QString input = LargeDocument(int(state.range(0)));
  if (input.isEmpty()) return state.SkipWithError("could not write the document");
  const QString output = Folder().filePath(QStringLiteral("copy.pdf"));
  Seconds()["copy"] = Timed(state, [&] {
    QFile in(input), out(output);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) return;
    for (QByteArray chunk; !(chunk = in.read(1 << 20)).isEmpty();) out.write(chunk);
    out.flush();
    ::fsync(out.handle());
  });
}

void Sign(benchmark::State& state, bool withCertificate) {
  const QString input = LargeDocument(int(state.range(0)));
  if (input.isEmpty()) return state.SkipWithError("could not write the document");
  const Prepared p = Prepare(input, withCertificate);
  const double before = MemoryMb("VmRSS:");
  ResetPeakMemory();
  const double seconds = Timed(state, [&] {
    const yz::SigningResult result = yz::SignDocument(p.plan, p.arts);
    if (!result.Ok()) state.SkipWithError(result.failure.toStdString().c_str());
  });
  state.counters["peak_growth_mb"] = MemoryMb("VmHWM:") - before;
  state.counters["file_mb"] = double(QFileInfo(input).size()) / (1 << 20);
  Seconds()[withCertificate ? "certificate" : "rewrite"] = seconds;
  for (const char* floor : {"sha256sum", "copy"})
    if (Seconds().count(floor)) state.counters[std::string("x_") + floor] = seconds / Seconds()[floor];
  if (!withCertificate && Seconds().count("certificate"))
    state.counters["x_certificate"] = seconds / Seconds()["certificate"];
}

}  // namespace

// The floors first, so that the signings report against them; the certificate's before the
// rewrite, whose heap would otherwise hide the certificate's peak.
BENCHMARK(BM_Sha256sum)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyFloor)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Sign, certificate, true)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Sign, rewrite, false)->Arg(1000)->Unit(benchmark::kMillisecond);
