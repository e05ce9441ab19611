// Drag redraws on the real canvas with the sample installation: what one mouse move costs with
// the font and picture caches, without them (every file parsed and decoded afresh), and the
// floor of one redraw (a background blit and three characters in fonts already loaded); and one
// drawing of a long name per kind of style, which should grow no faster than the name.
#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QPainter>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <vector>

#include "app/catalogue.h"
#include "app/mod_pub.h"
#include "render/draw_signature.h"
#include "render/qt_canvas.h"
#include "render/qt_font_registry.h"
#include "render/qt_picture_loader.h"
#include "seams/message_box.h"

namespace {

const QString kAppPath = QStringLiteral(YZ_APP_DIR "/");

// The window's state as a drawing reads it, fixed for the whole drag.
class BenchControls : public yz::SignatureControls {
 public:
  bool IsLoading() const override { return false; }
  int ImgListIndex() const override { return 1; }
  QString SizeText() const override { return size; }
  yz::Colour InkColour() const override { return ink; }
  int FontListIndex() const override { return style; }
  void SetFontListIndex(int index) override { style = index; }
  QString FontListEntry(int index) const override { return names->value(index); }
  QString FontText() const override { return names->value(style); }
  QString TextCN() const override { return cn; }
  QString TextEN() const override { return en; }
  void MoveHandle(float, float, float, float) override {}
  const QStringList* names = nullptr;
  int style = 0;
  QString size = QStringLiteral("72");
  yz::Colour ink = yz::kBlack;
  QString cn = QStringLiteral("纪元朗");
  QString en = QStringLiteral("Osric");
};

class SilentMessages : public yz::MessageBox {
 public:
  void Show(const QString&, int, const QString&) override {}
  bool Ask(const QString&, const QString&) override { return false; }
};

const yz::Catalogue& Installed() {
  static const yz::Catalogue catalogue = [] {
    SilentMessages messages;
    modPub::CompoundSurnames = modPub::ReadTextFile(kAppPath + "data/fuxing.dat", messages);
    return yz::LoadCatalogue(kAppPath);
  }();
  return catalogue;
}

int StyleIndex(const QString& kind) {
  const QStringList& names = Installed().styleNames;
  if (kind == "three_font") return int(names.indexOf(QStringLiteral("公文签")));
  if (kind == "three_font_cn") return int(names.indexOf(QStringLiteral("毛体")));
  if (kind == "three_font_latin") return int(names.indexOf(QStringLiteral("英文签")));
  if (kind == "seal") return int(names.indexOf(QStringLiteral("篆印体")));
  // joined: the first single-face style that is not a seal
  for (int i = 0; i < names.size(); ++i) {
    if (Installed().SingleFaceNames.contains("," + names[i] + ",") && !names[i].startsWith("篆印体")) {
      return i;
    }
  }
  return -1;
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

// One style drawn on the real canvas with the sample installation.
struct StyleDrawing {
  explicit StyleDrawing(const char* kind) : style(StyleIndex(kind)) {
    controls.names = &Installed().styleNames;
    controls.style = style;
    if (QString(kind) == "seal") controls.size = QStringLiteral("48");
  }
  // Files: fonts stay parsed, backgrounds decoded; text: rasterised text is kept. False (with
  // the reason given to `state`) when the style or a switch is missing from this build.
  bool Ready(benchmark::State& state, bool files, bool text) {
    if (style < 0) {
      state.SkipWithError("style missing from the sample installation");
      return false;
    }
    if (!SetCaching(fonts, pictures, files)) {
      state.SkipWithError("this build's seams have no cache to switch");
      return false;
    }
    TrySetCaching(canvas, text, 0);
    return true;
  }

  int style;
  yz::QtFontRegistry fonts;
  yz::QtPictureLoader pictures;
  yz::QtCanvas canvas{fonts, QSize(388, 261)};
  BenchControls controls;
  yz::DrawingContext context{controls,
                             canvas,
                             fonts,
                             pictures,
                             Installed().FontPaths,
                             Installed().BackgroundPaths,
                             Installed().SingleFaceNames,
                             modPub::CompoundSurnames};
};

void DragRedraw(benchmark::State& state, const char* kind, bool cached) {
  StyleDrawing drawing(kind);
  if (!drawing.Ready(state, cached, cached)) return;
  yz::DrawSignature(drawing.context, 600, 400);  // the press before the drag
  std::vector<double> micros;
  constexpr int kMoves = 200;
  for (auto _ : state) {
    for (int move = 0; move < kMoves; ++move) {
      QElapsedTimer timer;
      timer.start();
      yz::DrawSignature(drawing.context, 600 + 15 * move, 400 + 5 * (move % 20));
      micros.push_back(double(timer.nsecsElapsed()) / 1000.0);
    }
    benchmark::DoNotOptimize(drawing.canvas.Image().constBits());
  }
  std::sort(micros.begin(), micros.end());
  state.counters["p99_us"] = micros.empty() ? 0 : micros[size_t(double(micros.size() - 1) * 0.99)];
  double total = 0;
  for (const double m : micros) total += m;
  state.counters["per_move_us"] = micros.empty() ? 0 : total / double(micros.size());
  state.SetItemsProcessed(state.iterations() * kMoves);
}

// One drawing of a name `state.range(0)` characters long, as a typed or pasted key draws it: the
// fonts and the background are kept, the text is new, so nothing of it is kept either.
void LongName(benchmark::State& state, const char* kind) {
  StyleDrawing drawing(kind);
  if (!drawing.Ready(state, true, false)) return;
  const auto repeated = [&](const QString& unit) {
    QString name;
    while (name.size() < state.range(0)) name += unit;
    return name.left(int(state.range(0)));
  };
  drawing.controls.cn = repeated(QStringLiteral("纪元朗"));
  drawing.controls.en = repeated(QStringLiteral("Osric"));
  yz::DrawSignature(drawing.context, -1, -1);  // fonts parsed and the background decoded once
  for (auto _ : state) {
    yz::DrawSignature(drawing.context, -1, -1);
    benchmark::DoNotOptimize(drawing.canvas.Image().constBits());
  }
}

// One background blit and three characters in fonts already loaded: nothing a cache could save.
void BM_Floor(benchmark::State& state) {
  const yz::Catalogue& c = Installed();
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

}  // namespace

BENCHMARK_CAPTURE(DragRedraw, three_font/cached, "three_font", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DragRedraw, three_font/naive, "three_font", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DragRedraw, joined/cached, "joined", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DragRedraw, joined/naive, "joined", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DragRedraw, seal/cached, "seal", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DragRedraw, seal/naive, "seal", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LongName, three_font_cn, "three_font_cn")->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LongName, three_font_latin, "three_font_latin")->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LongName, joined, "joined")->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LongName, seal, "seal")->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
