// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The signing window's preview: one page drawn large (as the page view shows it, 1000 pixels
// tall), one thumbnail, one move of a stamp dragged over a page already drawn, and one page turn
// in a thousand pages up to its first picture. All report themselves against the large page as
// x_page.
#include <QElapsedTimer>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

#include "sign/stamp_art.h"
#include "ui/sign/page_list.h"
#include "ui/sign/page_picture.h"
#include "ui/sign/page_view.h"

namespace {

double& PageMicros() {
  static double micros = 0;
  return micros;
}

// A4 pages of running text, as a contract's pages are.
struct TextDocument {
  explicit TextDocument(int pages) {
    const QString path = dir.filePath(QStringLiteral("text.pdf"));
    {
      QPdfWriter pdf(path);
      pdf.setPageSize(QPageSize(QPageSize::A4));
      pdf.setResolution(72);
      QPainter painter(&pdf);
      painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
      for (int page = 0; page < pages; ++page) {
        if (page > 0) pdf.newPage();
        for (int line = 0; line < 60; ++line)
          painter.drawText(50, 60 + line * 12,
                           QStringLiteral("第 %1 条 甲乙双方经协商一致，订立本合同，共同遵守。 "
                                          "Clause %1: the parties agree as follows.")
                               .arg(page * 60 + line + 1));
      }
    }
    document.load(path);
  }
  QTemporaryDir dir;
  QPdfDocument document;
};

TextDocument& Text() {
  static TextDocument text(1);
  return text;
}

TextDocument& Thousand() {
  static TextDocument thousand(1000);
  return thousand;
}

void Report(benchmark::State& state, double micros) {
  state.counters["us"] = micros;
  if (PageMicros() > 0) state.counters["x_page"] = micros / PageMicros();
}

void SignPreviewPage(benchmark::State& state, bool thumbnail) {
  QPdfDocument& document = Text().document;
  const QSizeF pageMm(210, 297);
  const QSize size = thumbnail ? yz::FittedPageSize(pageMm, yz::SignPageList::kThumbnailBox)
                               : yz::FittedPageSize(pageMm, QSize(2000, 1000));
  QElapsedTimer timer;
  timer.start();
  for (auto _ : state) benchmark::DoNotOptimize(yz::PagePicture(document, 0, size).constBits());
  const double micros = double(timer.nsecsElapsed()) / 1000.0 / double(state.iterations());
  if (!thumbnail) PageMicros() = micros;
  Report(state, micros);
}

// A drag moves the stamp and repaints the view; the page's picture is not drawn again.
void SignPreviewDragMove(benchmark::State& state) {
  yz::SignStampList stamps;
  QUndoStack history;
  yz::SignArtSet arts;
  arts.signature = yz::TextArt(QStringLiteral("纪元朗"), yz::kBlack);
  yz::SignPageView view(stamps, history, arts);
  view.resize(720, 1000 + 2 * yz::SignPageView::kMarginPx);
  view.ShowPage(&Text().document, 1, QSizeF(210, 297));
  stamps.Set({{yz::Stamp::Kind::Signature, 1, QPointF(100, 200), 50, {}}});
  QImage frame(view.size(), QImage::Format_RGB32);
  view.render(&frame);  // the page drawn once
  int step = 0;
  QElapsedTimer timer;
  timer.start();
  for (auto _ : state) {
    stamps.Set({{yz::Stamp::Kind::Signature, 1, QPointF(100 + (++step % 50) * 0.5, 200), 50, {}}});
    view.render(&frame);
    benchmark::DoNotOptimize(frame.constBits());
  }
  Report(state, double(timer.nsecsElapsed()) / 1000.0 / double(state.iterations()));
}

// A page turn in a document of a thousand pages as the view shows it: Page Down, then the first
// picture painted (the quick one; the sharp one follows once the turning stops). Against the
// sharp page of /page, which is what every turn drew before.
void SignPreviewTurn(benchmark::State& state) {
  yz::SignStampList stamps;
  QUndoStack history;
  yz::SignArtSet arts;
  arts.signature = yz::TextArt(QStringLiteral("纪元朗"), yz::kBlack);
  yz::SignPageView view(stamps, history, arts);
  view.resize(720, 1000 + 2 * yz::SignPageView::kMarginPx);
  stamps.Set({{yz::Stamp::Kind::Signature, 1, QPointF(100, 200), 50, {}}});
  QPdfDocument& document = Thousand().document;
  QImage frame(view.size(), QImage::Format_RGB32);
  const bool paused = state.range(0) == 1;
  int page = 1;
  qint64 nanos = 0;
  for (auto _ : state) {
    // Held down, each turn jumps to a page never drawn; pressed once, the pause before it has
    // drawn the neighbours' quick pictures.
    page = paused ? page % document.pageCount() + 1 : 1 + (page * 37) % document.pageCount();
    QElapsedTimer timer;
    timer.start();
    view.ShowPage(&document, page, QSizeF(210, 297));
    view.render(&frame);
    benchmark::DoNotOptimize(frame.constBits());
    nanos += timer.nsecsElapsed();
    if (paused) {
      view.DrawSharpNow();
      view.DrawNeighbours();
    }
  }
  Report(state, double(nanos) / 1000.0 / double(state.iterations()));
}

}  // namespace

BENCHMARK_CAPTURE(SignPreviewPage, page, false)->Name("SignPreview/page")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SignPreviewPage, thumbnail, true)->Name("SignPreview/thumbnail")->Unit(benchmark::kMillisecond);
BENCHMARK(SignPreviewDragMove)->Name("SignPreview/drag_move")->Unit(benchmark::kMillisecond);
BENCHMARK(SignPreviewTurn)->Name("SignPreview/turn_held_1000")->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(SignPreviewTurn)->Name("SignPreview/turn_after_pause_1000")->Arg(1)->Unit(benchmark::kMillisecond);
