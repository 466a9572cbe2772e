// Start-up to a ready typing window, and one typed key from the press to the
// refilled popup, in the real widgets with the bundled word list.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/frm_splash.h"
#include "tests/support/user_folders.h"
#include "ui/shell/windows.h"
#include "ui/typing/frm_type.h"
#include "ui/typing/frm_words.h"
#include "ui/typing/type_box.h"
#include "ui/typing/user_folders.h"

namespace {

using lekhora::FrmSplash;

bool PadReady() {
  const lekhora::FrmType* type = lekhora::TypeWindowSlot().Find();
  const lekhora::FrmWords* words = lekhora::WordsWindowSlot().Find();
  return type != nullptr && type->isVisible() && words != nullptr && words->isVisible() &&
         lekhora::TrayWindowSlot().IsLoaded();
}

// Times starts of the pad from the splash to the typing window, popup and
// tray loaded and shown, unloading everything after each.
void TimeStarts(benchmark::State& state) {
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

// From the splash opening (its 40 ms timer included) to the typing window,
// popup and tray loaded and shown.
void BM_StartUpToReadyWindow(benchmark::State& state) {
  TimeStarts(state);
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

// One key at the end of a single 100 000-character paragraph (a pasted text
// without line breaks), painting included. Arguments: conversion on (1) or
// off (0); words with spaces (1) or one run without any (0).
void BM_TypedKeyLongParagraph(benchmark::State& state) {
  lekhora::FrmType& type = lekhora::TypeWindow();
  type.show();
  auto* conversion = type.findChild<QCheckBox*>(QStringLiteral("chKB"));
  if (conversion != nullptr) conversion->setChecked(state.range(0) != 0);
  lekhora::TypeBox& box = type.txtType();
  // Devanagari words with spaces, built from code points.
  QString word = QString(QChar(0x0928)) + QChar(0x092E) + QChar(0x0938) + QChar(0x094D) +
                 QChar(0x0924) + QChar(0x0947);
  if (state.range(1) != 0) word += QLatin1Char(' ');
  QString paragraph;
  while (paragraph.size() < 100000) paragraph += word;
  paragraph.truncate(100000);
  box.setPlainText(paragraph);
  box.moveCursor(QTextCursor::End);
  QCoreApplication::processEvents();
  const std::string keys = "kamala ";
  std::size_t next = 0;
  for (auto _ : state) {
    QTest::keyClick(&box, keys[next]);
    next = (next + 1) % keys.size();
    box.viewport()->repaint();
  }
  if (conversion != nullptr) conversion->setChecked(true);
  lekhora::UnloadAllWindows();
}
// One key, a space among them each word, typed after 100 000 characters of
// lines of words. Arguments: "Most used words first" on (1) or off (0);
// learning on (1), each space learning the word it ends into the history in
// the benchmark's home, or off (0).
void BM_TypedKeyLearning(benchmark::State& state) {
  lekhora::FrmType& type = lekhora::TypeWindow();
  type.show();
  type.SetLearnWords(state.range(1) != 0);
  type.SetMostUsedFirst(state.range(0) != 0);
  lekhora::TypeBox& box = type.txtType();
  const QString word = QString(QChar(0x0928)) + QChar(0x092E) + QChar(0x0938) + QChar(0x094D) +
                       QChar(0x0924) + QChar(0x0947) + QLatin1Char(' ');
  QString text;
  for (int i = 1; text.size() < 100000; ++i) text += i % 10 == 0 ? word.trimmed() + '\n' : word;
  box.setPlainText(text);
  box.moveCursor(QTextCursor::End);
  QCoreApplication::processEvents();
  const std::string keys = "namaste kamala nayana ";
  std::size_t next = 0;
  for (auto _ : state) {
    QTest::keyClick(&box, keys[next]);
    next = (next + 1) % keys.size();
  }
  type.FlushHistory();
  type.SetMostUsedFirst(false);
  type.SetLearnWords(true);
  lekhora::UnloadAllWindows();
}
BENCHMARK(BM_TypedKeyLearning)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_TypedKeyLongParagraph)
    ->Args({1, 1})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({0, 0})
    ->Unit(benchmark::kMillisecond);

// A user word list of state.range(0) words, as customwords.txt holds it.
void WriteLongWordList(std::int64_t count) {
  std::u16string list = u"header";
  for (std::int64_t i = 0; i < count; ++i) list += u"\r\nw" + QString::number(i).toStdU16String();
  const std::filesystem::path folder = lekhora::DefaultUserFolders().Data;
  std::filesystem::create_directories(folder);
  std::ofstream out(folder / "customwords.txt", std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(list.data()),
            static_cast<std::streamsize>(list.size() * 2));
}

void RemoveWordList() {
  std::error_code ec;
  std::filesystem::remove(lekhora::DefaultUserFolders().Data / "customwords.txt", ec);
}

// Start-up with a long list of the user's words: it grows with the list, not
// with its square.
void BM_StartUpWithLongWordList(benchmark::State& state) {
  WriteLongWordList(state.range(0));
  TimeStarts(state);
  RemoveWordList();
}
BENCHMARK(BM_StartUpWithLongWordList)
    ->Arg(100000)
    ->Arg(400000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// One word added at the caret and removed again from the list box, the file
// written each time, in a list of 100 000 words.
void BM_AddAndRemoveWordInLongList(benchmark::State& state) {
  WriteLongWordList(100000);
  lekhora::FrmType& type = lekhora::TypeWindow();
  type.show();
  lekhora::TypeBox& box = type.txtType();
  box.setPlainText(QStringLiteral("added"));
  auto* list = type.findChild<QListWidget*>(QStringLiteral("lstCustomWords"));
  for (auto _ : state) {
    type.AddWordAtCaret();
    type.RemoveCustomWord(list->count() - 1);
  }
  lekhora::UnloadAllWindows();
  RemoveWordList();
}
BENCHMARK(BM_AddAndRemoveWordInLongList)->Unit(benchmark::kMillisecond);

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
