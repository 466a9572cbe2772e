// What a resize and a layout change cost in the chrome: the layout rules,
// the window shape, building the keyboard panel and repainting its captions.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "engine/layout_choice.h"
#include "ui/kit/window_helpers.h"
#include "ui/typing/keyboard_panel.h"

namespace {

void BM_LayoutTypingWindow(benchmark::State& state) {
  int w = 8265;
  for (auto _ : state) {
    auto layout = lekhora::LayoutTypingWindow({w, 4620}, true, false);
    benchmark::DoNotOptimize(layout);
    w = w == 12000 ? 8265 : w + 15;
  }
}
BENCHMARK(BM_LayoutTypingWindow);

void BM_ShapeRegion(benchmark::State& state) {
  for (auto _ : state) {
    QRegion region = lekhora::ShapeRegion(lekhora::ShapeOfWindow({8265, 4620}));
    benchmark::DoNotOptimize(region);
  }
}
BENCHMARK(BM_ShapeRegion);

void BM_BuildKeyboardPanel(benchmark::State& state) {
  for (auto _ : state) {
    lekhora::KeyboardPanel panel;
    panel.InitialiseKeyLabels();
    benchmark::DoNotOptimize(&panel);
  }
}
BENCHMARK(BM_BuildKeyboardPanel)->Unit(benchmark::kMillisecond);

// A layout menu choice: build the layout and repaint the 96 captions from it.
void BM_RepaintCaptions(benchmark::State& state) {
  lekhora::KeyboardPanel panel;
  panel.InitialiseKeyLabels();
  lekhora::LayoutChoice choice;
  bool phonetic = false;
  for (auto _ : state) {
    const lekhora::CaptionRange range =
        choice.SetLayout(phonetic ? lekhora::kPhoneticLayout : lekhora::kRemingtonLayout);
    for (int code = range.first; code <= range.last; ++code)
      panel.SetCaption(
          code, QString::fromStdU16String(std::u16string(choice.CurrentLayout().Caption(code))));
    phonetic = !phonetic;
  }
}
BENCHMARK(BM_RepaintCaptions)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  // The widgets are measured, not a screen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
