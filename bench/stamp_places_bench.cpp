// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Proposing where a page's stamps go, against drawing that page: an A4 page of running text with
// a signature line near its end, drawn at 100 dpi and at the page view's 1000 pixels tall. Each
// proposal reports itself against drawing the same page at the same size as x_draw.
#include <QElapsedTimer>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "sign/stamp_places.h"
#include "ui/sign/page_picture.h"

namespace {

const QSizeF kA4Mm(210, 297);

struct ContractPage {
  ContractPage() {
    const QString path = dir.filePath(QStringLiteral("contract.pdf"));
    {
      QPdfWriter pdf(path);
      pdf.setPageSize(QPageSize(QPageSize::A4));
      pdf.setResolution(72);
      QPainter painter(&pdf);
      painter.setFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 10));
      for (int line = 0; line < 40; ++line)
        painter.drawText(70, 70 + line * 14, QStringLiteral("第 %1 条 甲乙双方经协商一致，订立本合同，共同遵守，"
                                                             "未尽事宜另行协商。").arg(line + 1));
      painter.drawText(300, 700, QStringLiteral("签字："));
      painter.drawLine(335, 702, 520, 702);
      painter.drawText(290, 810, QStringLiteral("- 1 -"));
    }
    document.load(path);
  }
  QTemporaryDir dir;
  QPdfDocument document;
};

ContractPage& Contract() {
  static ContractPage page;
  return page;
}

QSize SizeAt(int dpi) {
  return dpi > 0 ? QSize(qRound(kA4Mm.width() / 25.4 * dpi), qRound(kA4Mm.height() / 25.4 * dpi))
                 : yz::FittedPageSize(kA4Mm, QSize(2000, 1000));
}

// dpi 0: the page view's size.
void StampPlaces(benchmark::State& state, int dpi) {
  const QSize size = SizeAt(dpi);
  QElapsedTimer timer;
  timer.start();
  constexpr int kDraws = 5;
  QImage page;
  for (int i = 0; i < kDraws; ++i) page = yz::PagePicture(Contract().document, 0, size);
  const double drawMicros = double(timer.nsecsElapsed()) / 1000.0 / kDraws;
  const yz::StampSizesMm sizes{QSizeF(50, 20), QSizeF(30, 30), QSizeF(45, 6.7)};
  timer.restart();
  for (auto _ : state) benchmark::DoNotOptimize(yz::SuggestStampPlaces(page, kA4Mm, sizes, {}));
  const double micros = double(timer.nsecsElapsed()) / 1000.0 / double(state.iterations());
  state.counters["us"] = micros;
  state.counters["x_draw"] = micros / drawMicros;
  state.SetLabel(QStringLiteral("%1x%2").arg(page.width()).arg(page.height()).toStdString());
}

}  // namespace

BENCHMARK_CAPTURE(StampPlaces, dpi100, 100)->Name("StampPlaces/a4_100dpi")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StampPlaces, view, 0)->Name("StampPlaces/a4_page_view")->Unit(benchmark::kMillisecond);
