// One key through an input session with the bundled word list: what the
// input method adds to every key press before IBus sees the answer.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "base/program_folder.h"
#include "engine/layout.h"
#include "ime/input_session.h"
#include "ime/shared_words.h"
#include "userdata/roman_words.h"
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

// The process's ranking with the shipped frequencies and a history of so
// many rows (at its bound; half words, half pairs), in a folder of its own: Hindi
// words of two to six letters drawn from the consonants and vowel signs, so
// that the typed prefixes find many learned words.
class FullRanking {
 public:
  explicit FullRanking(std::size_t rows)
      : folder_(
            std::filesystem::temp_directory_path() /
            ("lekhora-bench-session-" + std::to_string(::getpid()) + "-" + std::to_string(rows))) {
    std::filesystem::remove_all(folder_);
    lekhora::WordHistoryOptions options;
    options.MostRows = std::max<std::size_t>(rows, 1);
    ranking_ = std::make_unique<lekhora::WordRanking>(lekhora::ProgramFolder(),
                                                      folder_ / "history.sqlite", options);
    std::mt19937 random(21);
    std::u16string previous;
    for (std::size_t i = 0; i < rows / 2; ++i) {
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

FullRanking& Full(std::size_t rows) {
  static std::map<std::size_t, std::unique_ptr<FullRanking>> made;
  auto& full = made[rows];
  if (!full) full = std::make_unique<FullRanking>(rows);
  return *full;
}

// As BM_SessionKey, ranked as the input method ranks, with learning on: the
// words committed are learned into memory (their write waits for idle time).
// The argument is the history's rows: a key should cost as much with an
// empty history as with a full one.
void BM_SessionKeyRanked(benchmark::State& state) {
  lekhora::WordRanking& ranking = Full(static_cast<std::size_t>(state.range(0))).Ranking();
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

// IntelligentRoman as the input method types it: every letter asks the
// model for candidates over the shipped frequencies and a history of so many
// rows, and each space commits the best. Besides the mean, the slowest key
// seen (worst us) and the 99th percentile: the letters of a long word cost
// the most.
void BM_RomanSessionKey(benchmark::State& state) {
  lekhora::WordRanking& ranking = Full(static_cast<std::size_t>(state.range(0))).Ranking();
  static const lekhora::RomanWords roman(lekhora::ProgramFolder(), ranking);
  lekhora::InputSession session(lekhora::MakeLayout(lekhora::kIntelligentRomanLayout), Words());
  session.SetRanking(&ranking);
  session.SetRomanSource([](std::u16string_view letters, std::u16string_view previous, int count) {
    return roman.Candidates(letters, previous, count);
  });
  constexpr std::u16string_view kText =
      u"mujhe nahi pata kaise ho zaroor achha aapka naam kya hai "
      u"pradhanmantri ne rashtriya suraksha parishad ki baithak bulaayi ";
  std::vector<double> micros;
  std::size_t i = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(session.Key(lekhora::CharacterKey(kText[i])));
    micros.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count());
    i = i + 1 == kText.size() ? 0 : i + 1;
  }
  std::sort(micros.begin(), micros.end());
  state.counters["worst us"] = micros.empty() ? 0 : micros.back();
  state.counters["p99 us"] = micros.empty() ? 0 : micros[micros.size() * 99 / 100];
  state.counters["history rows"] = static_cast<double>(ranking.History().Snapshot().Rows());
}

// The word break that ends a word of a few letters, ranked and learned as the
// input method does it: the commit, the learning and the next word's
// candidates. The letters before it are typed outside the timing.
void BM_SessionSpaceRanked(benchmark::State& state) {
  lekhora::WordRanking& ranking = Full(static_cast<std::size_t>(state.range(0))).Ranking();
  lekhora::InputSession session(lekhora::MakeLayout(lekhora::kPhoneticVimraLayout), Words());
  session.SetRanking(&ranking);
  constexpr std::u16string_view kWords[] = {u"mera", u"ghar", u"k", u"kai", u"pustak"};
  std::size_t i = 0;
  for (auto _ : state) {
    state.PauseTiming();
    for (char16_t c : kWords[i]) session.Key(lekhora::CharacterKey(c));
    i = (i + 1) % std::size(kWords);
    state.ResumeTiming();
    benchmark::DoNotOptimize(session.Key(lekhora::CharacterKey(u' ')));
  }
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
BENCHMARK(BM_SessionKeyRanked)
    ->Arg(0)
    ->Arg(50000)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_SessionSpaceRanked)
    ->Arg(0)
    ->Arg(50000)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_RomanSessionKey)->Arg(0)->Arg(50000);
BENCHMARK(BM_SessionRelease)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK_MAIN();
