// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Signing documents of 1, 100 and 1,000 pages (a real manual's pages over and over): the
// signature on every page, and the 骑缝章 along every page's edge, each against the floor of
// any signing, reading the same file and writing it again whole with the PDF library.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <map>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include "app/style_rules.h"
#include "bench_installation.h"
#include "export/whole_file.h"
#include "render/qt_picture_loader.h"
#include "sign/sign_document.h"
#include "sign/written_pdf.h"

namespace {

const QString kManual = QStringLiteral("/usr/share/doc/libtasn1-doc/libtasn1.pdf");
constexpr int kManualPages = 36;

QTemporaryDir& Work() {
  static QTemporaryDir folder;
  return folder;
}

// A document of `pages` pages cut from the manual, repeated as often as needed; made once.
QString Document(int pages) {
  static std::map<int, QString> made;
  if (const auto it = made.find(pages); it != made.end()) return it->second;
  QStringList arguments{QStringLiteral("--empty"), QStringLiteral("--pages")};
  for (int left = pages; left > 0; left -= kManualPages)
    arguments << kManual << QStringLiteral("1-%1").arg(std::min(left, kManualPages));
  const QString path = Work().filePath(QStringLiteral("%1.pdf").arg(pages));
  arguments << QStringLiteral("--") << path;
  QProcess::execute(QStringLiteral("qpdf"), arguments);
  return made[pages] = QFileInfo::exists(path) ? path : QString();
}

std::map<std::string, double>& SecondsPerRun() {
  static std::map<std::string, double> seconds;
  return seconds;
}

// Reports per page and against the floor of the same page count, which runs first.
void Report(benchmark::State& state, const std::string& kind, double seconds) {
  const int pages = int(state.range(0));
  const std::string key = kind + "/" + std::to_string(pages);
  SecondsPerRun()[key] = seconds;
  state.counters["per_page_us"] = seconds * 1e6 / pages;
  if (const auto floor = SecondsPerRun().find("floor/" + std::to_string(pages));
      kind != "floor" && floor != SecondsPerRun().end() && floor->second > 0)
    state.counters["x_floor"] = seconds / floor->second;
}

// Times the iterations with the wall clock: writing goes to the disk, as the program's does.
template <typename Step>
void Run(benchmark::State& state, const std::string& kind, Step step) {
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) step();
  const double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  Report(state, kind, total / double(state.iterations()));
}

void BM_SigningFloor(benchmark::State& state) {
  const QString input = Document(int(state.range(0)));
  if (input.isEmpty()) return state.SkipWithError("qpdf could not cut the manual's pages");
  const QString output = Work().filePath(QStringLiteral("floor.pdf"));
  Run(state, "floor", [&] {
    QPDF pdf;
    pdf.processFile(QFile::encodeName(input).constData());
    QPDFWriter writer(pdf);
    benchmark::DoNotOptimize(yz::WriteFileWhole(output, yz::WriteToMemory(writer)));
  });
}

// The signature of 公文签 on every page, or the 骑缝章 of 篆印体 in runs of ten, drawn once.
void Signing(benchmark::State& state, bool seam) {
  const QString input = Document(int(state.range(0)));
  if (input.isEmpty()) return state.SkipWithError("qpdf could not cut the manual's pages");
  const yz::Catalogue& catalogue = yz::bench::Installed().catalogue;
  yz::DrawingRequest request;
  request.style = int(catalogue.styleNames.indexOf(seam ? yz::kSealOutline : yz::kDefaultStyle));
  if (request.style < 0) return state.SkipWithError("style missing from the sample installation");
  request.textCN = QStringLiteral("纪元朗");
  request.ink = seam ? yz::kDarkRed : yz::kBlack;
  request.sizeText = seam ? QStringLiteral("48") : QStringLiteral("72");
  yz::SigningPlan plan;
  plan.documentPath = input;
  plan.outputPath = Work().filePath(QStringLiteral("signed.pdf"));
  if (seam) {
    yz::SeamStamp stamp;
    stamp.seal = request;
    plan.seam = stamp;
  } else {
    yz::Stamp stamp;
    stamp.request = request;
    stamp.topLeftMm = {30, 40};
    plan.stamps.push_back(stamp);
  }
  yz::QtFontRegistry fonts;
  yz::QtPictureLoader pictures;
  const yz::StampArts arts = yz::DrawStampArts(plan, {yz::bench::Installed(), fonts, pictures});
  Run(state, seam ? "seam" : "place", [&] {
    const yz::SigningResult result = yz::SignDocument(plan, arts);
    if (!result.Ok()) state.SkipWithError(result.failure.toStdString().c_str());
  });
}

}  // namespace

// Per page count: the floor first, so that the signings can report against it.
BENCHMARK(BM_SigningFloor)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Signing, place, false)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Signing, seam, true)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
