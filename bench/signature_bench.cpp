// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Drag redraws on the real canvas with the sample installation: what one mouse move costs with
// the font and picture caches, without them (every file parsed and decoded afresh), against the
// floor of one redraw (a background copy and three already-rasterised characters laid on it) and
// against Qt drawing the three characters directly; and one drawing of a long name per kind of
// style, which should grow no faster than the name.
#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QPainter>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/installation.h"
#include "bench_installation.h"
#include "app/style_rules.h"
#include "export/practice_sheet.h"
#include "export/vector_file.h"
#include "render/draw_signature.h"
#include "render/qt_canvas.h"
#include "render/qt_font_registry.h"
#include "render/qt_picture_loader.h"
#include "render/signature_picture.h"
#include "output/qt_color_dialog.h"
#include "output/qt_open_dialog.h"
#include "output/qt_printer.h"
#include "output/qt_save_dialog.h"
#include "seams/message_box.h"
#include "ui/frm_main.h"
#include "ui/qt_browser.h"
#include "ui/style_gallery.h"

namespace {

using yz::bench::Installed;
using yz::bench::SilentMessages;

int StyleIndex(const QString& kind) {
  const yz::Catalogue& c = Installed().catalogue;
  if (kind == "three_font") return int(c.styleNames.indexOf(QStringLiteral("公文签")));
  if (kind == "three_font_cn") return int(c.styleNames.indexOf(QStringLiteral("毛体")));
  if (kind == "three_font_latin") return int(c.styleNames.indexOf(QStringLiteral("英文签")));
  if (kind == "seal") return int(c.styleNames.indexOf(QStringLiteral("篆印体")));
  // joined: the first single-face style that is not a seal
  for (int i = 0; i < c.styleNames.size(); ++i) {
    if (c.SingleFaceNames.contains("," + c.styleNames[i] + ",") && !yz::IsSealStyle(c.styleNames[i]))
      return i;
  }
  return -1;
}

// The window's default selections in the given style, as a drag draws them.
yz::DrawingRequest DragRequest(int style, bool seal) {
  yz::DrawingRequest request;
  request.style = style;
  request.background = 1;
  request.textCN = QStringLiteral("纪元朗");
  request.textEN = QStringLiteral("Osric");
  request.sizeText = seal ? QStringLiteral("48") : QStringLiteral("72");
  return request;
}

// Per-move times of the runs so far, so that each run can report itself against another:
// cached against the floor, naive against cached. Benchmarks run in registration order.
std::map<std::string, double>& PerMoveMicros() {
  static std::map<std::string, double> micros;
  return micros;
}

// The caches live inside the seams; a build whose seams have none can only run the naive path.
template <typename T>
auto TrySetCaching(T& seam, bool on, int) -> decltype(seam.SetCachingEnabled(on), bool()) {
  seam.SetCachingEnabled(on);
  return true;
}
template <typename T>
bool TrySetCaching(T&, bool on, long) {
  return !on;
}

bool SetCaching(yz::QtFontRegistry& fonts, yz::QtPictureLoader& pictures, bool on) {
  const bool fontsOk = TrySetCaching(fonts, on, 0);
  const bool picturesOk = TrySetCaching(pictures, on, 0);
  return fontsOk && picturesOk;
}

// At scale 2 every move draws the 1x canvas and the sharp one, as the window does on a screen
// at twice the scale.
void DragRedraw(benchmark::State& state, const char* kind, bool cached, int scale = 1) {
  const int style = StyleIndex(kind);
  if (style < 0) {
    state.SkipWithError("style missing from the sample installation");
    return;
  }
  yz::QtFontRegistry fonts;
  yz::QtPictureLoader pictures;
  if (!SetCaching(fonts, pictures, cached)) {
    state.SkipWithError("this build's seams have no cache to switch");
    return;
  }
  yz::QtCanvas canvas(fonts, yz::kCanvasInnerPixels);
  yz::QtCanvas sharp(fonts, yz::kCanvasInnerPixels, scale);
  TrySetCaching(canvas, cached, 0);
  TrySetCaching(sharp, cached, 0);
  const yz::DrawingTools tools{canvas, fonts, pictures};
  const yz::DrawingTools sharpTools{sharp, fonts, pictures};
  yz::DrawingRequest request = DragRequest(style, QString(kind) == "seal");
  request.x = 600;
  request.y = 400;
  const auto draw = [&] {
    yz::DrawSignature(request, Installed(), tools);
    if (scale > 1) yz::DrawSignature(request, Installed(), sharpTools);
  };
  draw();  // the press before the drag
  std::vector<double> micros;
  constexpr int kMoves = 200;
  for (auto _ : state) {
    for (int move = 0; move < kMoves; ++move) {
      request.x = 600 + 15 * move;
      request.y = 400 + 5 * (move % 20);
      QElapsedTimer timer;
      timer.start();
      draw();
      micros.push_back(double(timer.nsecsElapsed()) / 1000.0);
    }
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
  std::sort(micros.begin(), micros.end());
  state.counters["p99_us"] = micros.empty() ? 0 : micros[size_t(double(micros.size() - 1) * 0.99)];
  double total = 0;
  for (const double m : micros) total += m;
  const double perMove = micros.empty() ? 0 : total / double(micros.size());
  state.counters["per_move_us"] = perMove;
  state.SetItemsProcessed(state.iterations() * kMoves);
  const std::string name = std::string(kind) + (cached ? "/cached" : "/naive");
  if (scale > 1) {
    // What the sharp canvas adds to a move.
    const double plain = PerMoveMicros()[name];
    if (plain > 0) state.counters["x_1x"] = perMove / plain;
    PerMoveMicros()[name + "_2x"] = perMove;
    return;
  }
  PerMoveMicros()[name] = perMove;
  // How far a move is from what it cannot avoid, and what the caches save.
  const std::string against = cached ? "floor" : std::string(kind) + "/cached";
  if (const auto it = PerMoveMicros().find(against); it != PerMoveMicros().end() && it->second > 0)
    state.counters[cached ? "x_floor" : "x_cached"] = perMove / it->second;
}

// One drawing of a name `state.range(0)` characters long, as a typed or pasted key draws it: the
// fonts and the background are kept, the text is new, so nothing of it is kept either.
void LongName(benchmark::State& state, const char* kind) {
  const int style = StyleIndex(kind);
  yz::QtFontRegistry fonts;
  yz::QtPictureLoader pictures;
  if (style < 0 || !SetCaching(fonts, pictures, true)) {
    state.SkipWithError("style or cache switch missing from this build");
    return;
  }
  yz::QtCanvas canvas(fonts, yz::kCanvasInnerPixels);
  TrySetCaching(canvas, false, 0);
  const auto repeated = [&](const QString& unit) {
    QString name;
    while (name.size() < state.range(0)) name += unit;
    return name.left(int(state.range(0)));
  };
  yz::DrawingRequest request = DragRequest(style, QString(kind) == "seal");
  request.textCN = repeated(QStringLiteral("纪元朗"));
  request.textEN = repeated(QStringLiteral("Osric"));
  const yz::DrawingTools tools{canvas, fonts, pictures};
  yz::DrawSignature(request, Installed(), tools);  // fonts parsed and the background decoded once
  for (auto _ : state) {
    yz::DrawSignature(request, Installed(), tools);
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
}

// One practice sheet as 导出练字帖 makes it (outlines, page, PDF), beside the transparent vector
// export of the same signature: the same outlines once, on no background, which the sheet builds
// on; the sheet reports itself against that export.
void Document(benchmark::State& state, const char* kind, bool sheet) {
  const int style = StyleIndex(kind);
  if (style < 0) {
    state.SkipWithError("style missing from the sample installation");
    return;
  }
  yz::QtFontRegistry fonts;
  yz::QtPictureLoader pictures;
  yz::DrawingRequest request = DragRequest(style, QString(kind) == "seal");
  request.background.reset();
  QElapsedTimer timer;
  timer.start();
  for (auto _ : state) {
    const QByteArray pdf =
        sheet ? yz::PracticeSheetPdf(yz::MakePracticeSheet(request, Installed(), fonts, pictures))
              : yz::PdfDocument(yz::DrawSignatureShapes(request, Installed(), fonts, pictures),
                                request.textCN);
    benchmark::DoNotOptimize(pdf.constData());
  }
  const double perDocument = double(timer.nsecsElapsed()) / 1000.0 / double(state.iterations());
  const std::string name = std::string(kind) + (sheet ? "/sheet" : "/vector");
  PerMoveMicros()[name] = perDocument;
  if (const auto it = PerMoveMicros().find(std::string(kind) + "/vector");
      sheet && it != PerMoveMicros().end() && it->second > 0)
    state.counters["x_vector"] = perDocument / it->second;
}

// What no move can avoid: copying the decoded 388 × 261 background, then laying the three
// characters' already-rasterised images on it.
void BM_Floor(benchmark::State& state) {
  const yz::Catalogue& c = Installed().catalogue;
  const QImage background =
      QImage(c.BackgroundPaths.value(1)).convertToFormat(QImage::Format_RGB32);
  const int id = QFontDatabase::addApplicationFont(c.FontPaths.value(StyleIndex("three_font")) + "1.dat");
  QFont font(QFontDatabase::applicationFontFamilies(id).value(0));
  font.setPixelSize(96);
  std::vector<QImage> glyphs;
  for (const QString& text : {QStringLiteral("纪"), QStringLiteral("元"), QStringLiteral("朗")}) {
    QImage glyph(110, 130, QImage::Format_ARGB32_Premultiplied);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setFont(font);
    painter.drawText(QPointF(5, 100), text);
    glyphs.push_back(glyph);
  }
  QFontDatabase::removeApplicationFont(id);
  QImage target(yz::kCanvasInnerPixels, QImage::Format_RGB32);
  double total = 0;
  for (auto _ : state) {
    QElapsedTimer timer;
    timer.start();
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, background);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (size_t i = 0; i < glyphs.size(); ++i) painter.drawImage(int(40 + 100 * i), 20, glyphs[i]);
    painter.end();
    benchmark::DoNotOptimize(target.constBits());
    total += double(timer.nsecsElapsed()) / 1000.0;
  }
  PerMoveMicros()["floor"] = state.iterations() > 0 ? total / double(state.iterations()) : 0;
}

// Three characters drawn directly by Qt over the background, in a font already loaded.
void BM_DirectText(benchmark::State& state) {
  const yz::Catalogue& c = Installed().catalogue;
  const QImage background(c.BackgroundPaths.value(1));
  const int id = QFontDatabase::addApplicationFont(c.FontPaths.value(StyleIndex("three_font")) + "1.dat");
  QFont font(QFontDatabase::applicationFontFamilies(id).value(0));
  font.setPixelSize(96);
  QImage target(388, 261, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&target);
    painter.drawImage(0, 0, background);
    painter.setFont(font);
    painter.drawText(QPointF(40, 120), QStringLiteral("纪"));
    painter.drawText(QPointF(140, 120), QStringLiteral("元"));
    painter.drawText(QPointF(240, 120), QStringLiteral("朗"));
    painter.end();
    benchmark::DoNotOptimize(target.constBits());
  }
  QFontDatabase::removeApplicationFont(id);
}

// 全部款式预览 opened from the window with the sample installation: the time until the dialog is
// up (built, shown and through one turn of the event loop) and until every thumbnail is drawn.
// /first is the first opening after start: only the default style's font was ever parsed.
// /again opens it in a window whose registry has parsed every style before.
void GalleryOpen(benchmark::State& state, bool fontsParsed) {
  SilentMessages messages;
  yz::QtBrowser browser;
  yz::QtSaveDialog saveDialog;
  yz::QtPrinter printer;
  yz::QtColorDialog colorDialog;
  yz::QtOpenDialog openDialog;
  yz::QtPictureLoader pictures;
  auto parsed = std::make_unique<yz::QtFontRegistry>();
  if (fontsParsed) {
    for (int style = 0; style < Installed().catalogue.styleNames.size(); ++style) {
      yz::DrawingRequest request = DragRequest(style, false);
      yz::DrawSignaturePicture(request, Installed(), *parsed, pictures);
    }
  }
  double openMs = 0, fillMs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto fresh = std::make_unique<yz::QtFontRegistry>();
    yz::QtFontRegistry& fonts = fontsParsed ? *parsed : *fresh;
    yz::QtCanvas canvas(fonts, yz::kCanvasInnerPixels);
    yz::frmMain window({canvas, fonts, pictures, messages, browser, saveDialog, printer, colorDialog,
                        openDialog},
                       Installed());
    window.Form_Load();
    window.show();
    QCoreApplication::processEvents();
    QAction* open = nullptr;
    for (QAction* action : window.canvasMenu->Actions())
      if (action->shortcut() == QKeySequence(QStringLiteral("Ctrl+G"))) open = action;
    state.ResumeTiming();

    QElapsedTimer timer;
    timer.start();
    open->trigger();
    QCoreApplication::processEvents();
    const double opened = double(timer.nsecsElapsed()) / 1e6;
    auto* gallery = window.findChild<yz::StyleGallery*>();
    while (gallery && !gallery->Filled()) QCoreApplication::processEvents();
    openMs += opened;
    fillMs += double(timer.nsecsElapsed()) / 1e6;
    state.PauseTiming();
    delete gallery;
    state.ResumeTiming();
  }
  const double n = double(std::max<benchmark::IterationCount>(1, state.iterations()));
  state.counters["open_ms"] = openMs / n;
  state.counters["fill_ms"] = fillMs / n;
  state.counters["styles"] = double(Installed().catalogue.styleNames.size());
  // Against one cached drag move of the three-font style, measured earlier in this run.
  if (const double move = PerMoveMicros()["three_font/cached"]; move > 0) {
    state.counters["open_x_move"] = openMs / n * 1000 / move;
    state.counters["fill_x_move"] = fillMs / n * 1000 / move;
  }
}

}  // namespace

BENCHMARK(BM_Floor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DirectText)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DragRedraw, three_font/cached, "three_font", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DragRedraw, three_font/naive, "three_font", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DragRedraw, joined/cached, "joined", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DragRedraw, joined/naive, "joined", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DragRedraw, seal/cached, "seal", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DragRedraw, seal/naive, "seal", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DragRedraw, three_font/cached_2x, "three_font", true, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GalleryOpen, first, false)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(GalleryOpen, again, true)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(Document, three_font/vector, "three_font", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Document, three_font/sheet, "three_font", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Document, seal/vector, "seal", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Document, seal/sheet, "seal", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LongName, three_font_cn, "three_font_cn")->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LongName, three_font_latin, "three_font_latin")->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LongName, joined, "joined")->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LongName, seal, "seal")->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
