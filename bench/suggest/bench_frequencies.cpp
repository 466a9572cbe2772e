// Loading the word frequency table beside this program, and completing a
// prefix from it: a first letter (the longest run of words) and a longer one.

#include <benchmark/benchmark.h>

#include <string>
#include <variant>

#include "base/data_files.h"
#include "base/program_folder.h"
#include "suggest/word_frequencies.h"

namespace {

using lekhora::WordFrequencies;

lekhora::FrequenciesOrError LoadBundled() {
  return WordFrequencies::Load(lekhora::ProgramFolder() / lekhora::kWordFrequencyFile);
}

const WordFrequencies* Bundled() {
  static const lekhora::FrequenciesOrError table = LoadBundled();
  return std::get_if<WordFrequencies>(&table);
}

void BM_LoadFrequencies(benchmark::State& run) {
  for (auto _ : run) {
    lekhora::FrequenciesOrError table = LoadBundled();
    benchmark::DoNotOptimize(table);
    if (!std::holds_alternative<WordFrequencies>(table))
      run.SkipWithError("no word frequencies beside the program");
  }
}

void Complete(benchmark::State& run, const std::u16string& prefix) {
  const WordFrequencies* table = Bundled();
  if (table == nullptr) {
    run.SkipWithError("no word frequencies beside the program");
    return;
  }
  for (auto _ : run) benchmark::DoNotOptimize(table->Complete(prefix, 9));
}

void BM_CompleteFirstLetter(benchmark::State& run) {
  Complete(run, u"\u0938");  // स, the letter most words begin with
}
void BM_CompleteThreeLetters(benchmark::State& run) {
  Complete(run, u"\u0938\u0902\u0938");  // संस
}
void BM_ScoreOfAWord(benchmark::State& run) {
  const WordFrequencies* table = Bundled();
  if (table == nullptr) {
    run.SkipWithError("no word frequencies beside the program");
    return;
  }
  const std::u16string word = u"\u0938\u0902\u0938\u093E\u0930";  // संसार
  for (auto _ : run) benchmark::DoNotOptimize(table->Score(word));
}

constexpr int kRepetitions = 9;

BENCHMARK(BM_LoadFrequencies)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CompleteFirstLetter)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_CompleteThreeLetters)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_ScoreOfAWord)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
