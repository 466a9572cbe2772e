// One key through an input session with the bundled word list: what the
// input method adds to every key press before IBus sees the answer.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "base/program_folder.h"
#include "engine/layout.h"
#include "ime/input_session.h"
#include "ime/shared_words.h"
#include "userdata/word_ranking.h"

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

// The process's ranking with the shipped frequencies and a history at its
// bound (50 000 rows, half words, half pairs), in a folder of its own: Hindi
// words of two to six letters drawn from the consonants and vowel signs, so
// that the typed prefixes find many learned words.
class FullRanking {
 public:
  static constexpr std::size_t kRows = 50000;
  FullRanking()
      : folder_(std::filesystem::temp_directory_path() /
                ("lekhora-bench-session-" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(folder_);
    lekhora::WordHistoryOptions options;
    options.MostRows = kRows;
    ranking_ = std::make_unique<lekhora::WordRanking>(lekhora::ProgramFolder(),
                                                      folder_ / "history.sqlite", options);
    std::mt19937 random(21);
    std::u16string previous;
    for (std::size_t i = 0; i < kRows / 2; ++i) {
      std::u16string word;
      const int letters = 2 + static_cast<int>(random() % 5);
      for (int l = 0; l < letters; ++l) {
        word += static_cast<char16_t>(u'क' + random() % 34);
        if (random() % 2 == 0) word += static_cast<char16_t>(u'ा' + random() % 8);
      }
      ranking_->History().Record(previous, word);
      previous = std::move(word);
    }
    ranking_->History().Flush();
  }
  ~FullRanking() {
    ranking_.reset();
    std::filesystem::remove_all(folder_);
  }
  lekhora::WordRanking& Ranking() { return *ranking_; }

 private:
  std::filesystem::path folder_;
  std::unique_ptr<lekhora::WordRanking> ranking_;
};

FullRanking& Full() {
  static FullRanking full;
  return full;
}

// As BM_SessionKey, ranked as the input method ranks, with learning on: the
// words committed are learned into memory (their write waits for idle time).
void BM_SessionKeyRanked(benchmark::State& state) {
  lekhora::WordRanking& ranking = Full().Ranking();
  lekhora::InputSession session(lekhora::MakeLayout(lekhora::kPhoneticVimraLayout), Words());
  session.SetRanking(&ranking);
  constexpr std::u16string_view kText = u"mera bhaarat mahaan kh kai Aii ghar pustak ";
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(session.Key(lekhora::CharacterKey(kText[i])));
    i = i + 1 == kText.size() ? 0 : i + 1;
  }
  state.counters["history rows"] = static_cast<double>(ranking.History().Snapshot().Rows());
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
BENCHMARK(BM_SessionKeyRanked)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_SessionRelease)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK_MAIN();
