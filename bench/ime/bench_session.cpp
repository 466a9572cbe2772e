// One key through an input session with the bundled word list: what the
// input method adds to every key press before IBus sees the answer.

#include <benchmark/benchmark.h>

#include <string_view>

#include "base/program_folder.h"
#include "engine/layout.h"
#include "ime/input_session.h"
#include "ime/shared_words.h"

namespace {

constexpr int kRepetitions = 5;

const std::shared_ptr<const lekhora::SharedWords>& Words() {
  // The user's words as shipped: the bench never reads the user's own.
  static const auto words = lekhora::LoadSharedWords(lekhora::ProgramFolder(), {});
  return words;
}

// Ordinary typing: words of a few letters, each ended by a space, so every
// key searches the list, shows candidates or commits.
void BM_SessionKey(benchmark::State& state) {
  lekhora::InputSession session(lekhora::MakeLayout(lekhora::kPhoneticVimraLayout), Words());
  constexpr std::u16string_view kText = u"mera bhaarat mahaan kh kai Aii ghar pustak ";
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(session.Key(lekhora::CharacterKey(kText[i])));
    i = i + 1 == kText.size() ? 0 : i + 1;
  }
  state.counters["words"] = static_cast<double>(Words()->Bundled.WordCount);
}

// The release that follows every press.
void BM_SessionRelease(benchmark::State& state) {
  lekhora::InputSession session(lekhora::MakeLayout(lekhora::kPhoneticVimraLayout), Words());
  lekhora::ImeKeyEvent release = lekhora::CharacterKey(U'k');
  release.release = true;
  for (auto _ : state) benchmark::DoNotOptimize(session.Key(release));
}

}  // namespace

BENCHMARK(BM_SessionKey)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_SessionRelease)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK_MAIN();
