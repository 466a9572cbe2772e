// Start-up to a ready typing window, and one typed key from the press to the
// refilled popup, in the real widgets with the bundled word list.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <chrono>
#include <string>

#include "app/frm_splash.h"
#include "tests/support/user_folders.h"
#include "ui/frm_type.h"
#include "ui/frm_words.h"
#include "ui/type_box.h"
#include "ui/windows.h"

namespace {

using lekhora::FrmSplash;

bool PadReady() {
  const lekhora::FrmType* type = lekhora::TypeWindowSlot().Find();
  const lekhora::FrmWords* words = lekhora::WordsWindowSlot().Find();
  return type != nullptr && type->isVisible() && words != nullptr && words->isVisible() &&
         lekhora::TrayWindowSlot().IsLoaded();
}

// From the splash opening (its 40 ms timer included) to the typing window,
// popup and tray loaded and shown.
void BM_StartUpToReadyWindow(benchmark::State& state) {
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    lekhora::SplashWindow().show();
    while (!PadReady()) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    lekhora::UnloadAllWindows();
    QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_StartUpToReadyWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// One key through the typing box, the engine, the search and the popup.
void BM_TypedKey(benchmark::State& state) {
  lekhora::FrmType& type = lekhora::TypeWindow();
  type.show();
  lekhora::TypeBox& box = type.txtType();
  const std::string keys = "namaste kamala nayana ";
  std::size_t next = 0;
  int typed = 0;
  for (auto _ : state) {
    const char key = keys[next];
    next = (next + 1) % keys.size();
    QTest::keyClick(&box, key);
    if (++typed % 500 == 0) {
      state.PauseTiming();
      box.clear();
      state.ResumeTiming();
    }
  }
  lekhora::UnloadAllWindows();
}
BENCHMARK(BM_TypedKey)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  // The pad keeps its files in a home of the benchmark's own, not the user's.
  const lekhora::testing::PrivateUserFolders home;
  // Without a display the widgets are measured on the offscreen platform.
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  lekhora::UnloadAllWindows();
  return 0;
}
