// The learned-word history at its bound (50 000 rows): the lookups the
// ranking makes on every key, which read memory only, and a commit with the
// idle-time write that follows it.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "userdata/word_history.h"

namespace {

constexpr std::size_t kRows = 50000;

// Devanagari words of two to six letters, drawn from the consonants and
// vowel signs, so that prefixes share their first letters as Hindi's do.
std::vector<std::u16string> SomeWords(std::size_t count) {
  std::mt19937 random(21);
  std::vector<std::u16string> words;
  words.reserve(count);
  while (words.size() < count) {
    std::u16string word;
    const int letters = 2 + static_cast<int>(random() % 5);
    for (int i = 0; i < letters; ++i) {
      word += static_cast<char16_t>(u'क' + random() % 34);
      if (random() % 2 == 0) word += static_cast<char16_t>(u'ा' + random() % 8);
    }
    words.push_back(std::move(word));
  }
  return words;
}

// A full history in a fresh folder: half the rows words, half pairs.
class FullHistory {
 public:
  FullHistory()
      : folder_(std::filesystem::temp_directory_path() /
                ("lekhora-bench-history-" + std::to_string(::getpid()))),
        words_(SomeWords(kRows / 2)) {
    std::filesystem::remove_all(folder_);
    lekhora::WordHistoryOptions options;
    options.MostRows = kRows;
    history_ = std::make_unique<lekhora::WordHistory>(folder_ / "history.sqlite", options);
    for (std::size_t i = 0; i < words_.size(); ++i)
      history_->Record(i > 0 ? words_[i - 1] : std::u16string(), words_[i]);
    history_->Flush();
  }
  ~FullHistory() {
    history_.reset();
    std::filesystem::remove_all(folder_);
  }
  lekhora::WordHistory& History() { return *history_; }
  const std::vector<std::u16string>& Words() const { return words_; }

 private:
  std::filesystem::path folder_;
  std::vector<std::u16string> words_;
  std::unique_ptr<lekhora::WordHistory> history_;
};

FullHistory& Full() {
  static FullHistory full;
  return full;
}

// The learned words that begin with a one- or two-letter prefix, the most a
// key ever asks for.
void BM_HistoryPrefix(benchmark::State& state) {
  const auto& snapshot = Full().History().Snapshot();
  const std::u16string prefixes[] = {u"क", u"कि", u"म", u"स", u"प्", u"ह"};
  std::size_t i = 0;
  std::size_t visited = 0;
  for (auto _ : state) {
    std::int64_t best = 0;
    snapshot.ForEachWordBeginningWith(prefixes[i], [&](const lekhora::HistoryWord& word) {
      best = std::max(best, word.Entry.Count);
      ++visited;
    });
    benchmark::DoNotOptimize(best);
    i = (i + 1) % std::size(prefixes);
  }
  state.counters["words"] =
      benchmark::Counter(static_cast<double>(visited), benchmark::Counter::kAvgIterations);
  state.counters["rows"] = static_cast<double>(snapshot.Rows());
}

// The nine most frequent followers of a previous word.
void BM_HistoryFollowers(benchmark::State& state) {
  const auto& snapshot = Full().History().Snapshot();
  const auto& words = Full().Words();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(snapshot.Followers(words[i], 9));
    i = (i + 7919) % words.size();
  }
}

// One count of a word, as each candidate's score asks.
void BM_HistoryWordCount(benchmark::State& state) {
  const auto& snapshot = Full().History().Snapshot();
  const auto& words = Full().Words();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(snapshot.Word(words[i]));
    i = (i + 7919) % words.size();
  }
}

// A committed word, without its write: what the commit key pays.
void BM_HistoryRecord(benchmark::State& state) {
  auto& history = Full().History();
  const auto& words = Full().Words();
  std::size_t i = 0;
  for (auto _ : state) {
    history.Record(words[i], words[i + 1]);
    i = (i + 1) % (words.size() - 1);
  }
  history.Flush();
}

// A committed word and the idle-time write of it (one transaction).
void BM_HistoryRecordFlush(benchmark::State& state) {
  auto& history = Full().History();
  const auto& words = Full().Words();
  std::size_t i = 0;
  for (auto _ : state) {
    history.Record(words[i], words[i + 1]);
    benchmark::DoNotOptimize(history.Flush());
    i = (i + 1) % (words.size() - 1);
  }
}

// Opening the full history as a process starts: the file's check and
// reading every row into memory.
void BM_HistoryOpen(benchmark::State& state) {
  const std::filesystem::path file = Full().History().File();
  for (auto _ : state) {
    lekhora::WordHistoryOptions options;
    options.MostRows = kRows;
    lekhora::WordHistory history(file, options);
    benchmark::DoNotOptimize(history.Snapshot().Rows());
  }
}

}  // namespace

BENCHMARK(BM_HistoryOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryPrefix);
BENCHMARK(BM_HistoryFollowers);
BENCHMARK(BM_HistoryWordCount);
BENCHMARK(BM_HistoryRecord);
BENCHMARK(BM_HistoryRecordFlush);
BENCHMARK_MAIN();
