// The cost of one typed key with the search and the popup refill, and of the
// start-up list loading, on the bundled files beside this program.

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "base/data_files.h"
#include "base/program_folder.h"
#include "engine/key_replay.h"
#include "engine/layout.h"
#include "engine/memory_text_box.h"
#include "engine/typing_engine.h"
#include "engine/typing_state.h"
#include "suggest/suggestion_view.h"
#include "suggest/suggestions.h"
#include "suggest/word_lists.h"
#include "userdata/user_word_store.h"

namespace {

using lekhora::WordLists;

const WordLists& BundledList() {
  static const WordLists lists = [] {
    WordLists loaded;
    lekhora::LoadDictionary(lekhora::ProgramFolder(), loaded);
    return loaded;
  }();
  return lists;
}

// 32 767 words that all begin with ka, so the first key of a word has half
// of the list below its first hit: the worst case of the search.
const WordLists& SharedPrefixList() {
  static const WordLists lists = [] {
    WordLists made;
    for (int i = 0; i < 32767; ++i) {
      std::u16string word = u"\u0915";
      for (int shift = 12; shift >= 0; shift -= 4)  // most significant first: sorted
        word += static_cast<char16_t>(0x0915 + ((i >> shift) & 15));
      made.WordList.push_back(word);
    }
    made.WordList.push_back(u"");
    made.WordCount = 32767;
    return made;
  }();
  return lists;
}

// The popup's drawing is the window's cost, measured with the windows.
class NoView final : public lekhora::SuggestionView {
 public:
  void Show(const lekhora::CandidatePage&) override {}
};

// Types keys round and round; every iteration is one key (down, press, up).
void TypeKeys(benchmark::State& run, const WordLists& lists, std::u16string_view keys) {
  if (lists.WordCount < 1) {
    run.SkipWithError("no word list beside the program");
    return;
  }
  lekhora::MemoryTextBox box;
  NoView view;
  // The engine keeps a reference to the suggestions, which read its state.
  struct Pair {
    Pair(lekhora::MemoryTextBox& box, const WordLists& lists, lekhora::SuggestionView& view)
        : engine(box, suggestions), suggestions(engine.State(), lists, view) {}
    lekhora::TypingEngine engine;
    lekhora::Suggestions suggestions;
  } pair(box, lists, view);
  std::size_t at = 0;
  for (auto _ : run) {
    lekhora::TypeKey(pair.engine, box, keys[at]);
    at = at + 1 == keys.size() ? 0 : at + 1;
  }
  benchmark::DoNotOptimize(box.View().size());
}

// "kaml " and its space: a short word typed letter by letter.
void BM_KeyBundledWord(benchmark::State& run) {
  TypeKeys(run, BundledList(), u"kaml ");
}
// The first letter of a word, the longest walk down in a real list.
void BM_KeyBundledFirstLetter(benchmark::State& run) {
  TypeKeys(run, BundledList(), u"k ");
}
void BM_KeySharedPrefixWord(benchmark::State& run) {
  TypeKeys(run, SharedPrefixList(), u"kaml ");
}
void BM_KeySharedPrefixFirstLetter(benchmark::State& run) {
  TypeKeys(run, SharedPrefixList(), u"k ");
}

// z types za as U+095B, which the search folds to the list's ja and nukta
// on every key of the word.
void BM_KeyBundledNuktaWord(benchmark::State& run) {
  TypeKeys(run, BundledList(), u"z`yada ");
}

// The search alone, without the engine and the popup refill: the first
// letter of the shared-prefix list, the longest run of matches below a hit.
void BM_SearchSharedPrefixFirstLetter(benchmark::State& run) {
  lekhora::TypingState state;
  state.WordPrefix = u"\u0915";
  NoView view;
  lekhora::Suggestions suggestions(state, SharedPrefixList(), view);
  for (auto _ : run) benchmark::DoNotOptimize(suggestions.SearchList());
}

void BM_StartUpListLoading(benchmark::State& run) {
  const std::filesystem::path folder = lekhora::ProgramFolder();
  for (auto _ : run) {
    WordLists lists;
    lekhora::LoadDictionary(folder, lists);
    lekhora::UserWords custom = lekhora::ShippedWords(folder / lekhora::kCustomWordsFile);
    benchmark::DoNotOptimize(custom.Words().data());
    if (lists.WordCount < 1) run.SkipWithError("no word list beside the program");
  }
  // What the loaded list keeps in memory for as long as the pad runs.
  const WordLists& list = BundledList();
  run.counters["list_bytes"] = static_cast<double>(sizeof(WordLists) + list.WordList.HeapBytes());
  run.counters["words"] = list.WordList.size();
}

constexpr int kRepetitions = 9;

BENCHMARK(BM_KeyBundledWord)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_KeyBundledFirstLetter)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_KeySharedPrefixWord)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_KeySharedPrefixFirstLetter)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_KeyBundledNuktaWord)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_SearchSharedPrefixFirstLetter)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_StartUpListLoading)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
