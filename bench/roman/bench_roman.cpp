// The romanization model on spellings it has not learned from: for each
// distinct Latin spelling of the lexicon (the held-out one by default), a hit
// when the first candidate, or any of the first five, is a Hindi word given
// for it; also weighted by how many people spelled it so. Then the time per
// word (median and worst) and the memory the model and the word table take.
//
//   bench_roman [LEXICON [MODEL [TABLE]]]
//   bench_roman --show LATIN...     the first five candidates of each, scored
//
// LEKHORA_ROMAN_BEAM, _PER_GROUP, _FREQUENCY_WEIGHT, _KNOWN_BONUS,
// _LETTER_WEIGHT, _UNTYPED_VOWEL_COST and _UNTYPED_NASAL_COST try other
// settings of the search (RomanizerOptions);
// LEKHORA_ROMAN_MISSES=1 prints each spelling whose first candidate misses,
// with a word given and the candidate.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "base/data_files.h"
#include "base/program_folder.h"
#include "roman/romanizer.h"
#include "roman/train.h"
#include "suggest/canonical_fold.h"
#include "text/utf8.h"

namespace {

// Resident memory of this process in KiB, from /proc (0 where there is none).
long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

double Percent(double part, double whole) {
  return whole > 0 ? 100.0 * part / whole : 0.0;
}

}  // namespace

int main(int argc, char** argv) {
  namespace roman = lekhora::roman;
  const std::string lexicon = argc > 1 ? argv[1] : LEKHORA_ROMAN_DEV;
  const std::filesystem::path folder = lekhora::ProgramFolder();
  const bool show = lexicon == "--show";
  const std::filesystem::path model_path =
      argc > 2 && !show ? argv[2] : folder / lekhora::kRomanModelFile;
  const std::filesystem::path table_path =
      argc > 3 && !show ? argv[3] : folder / lekhora::kWordFrequencyFile;

  // Every Hindi word given for each spelling, with the spelling's weight.
  struct Entry {
    std::set<std::u16string> words;
    double weight = 0;
  };
  std::map<std::string, Entry> entries;
  for (const roman::Spelling& spelling : roman::ReadLexicon(ReadText(lexicon))) {
    std::u16string folded;
    Entry& entry = entries[spelling.latin];
    entry.words.insert(std::u16string(lekhora::SearchForm(spelling.devanagari, folded)));
    entry.weight += spelling.weight;
  }
  if (entries.empty() && !show) {
    std::cerr << "bench_roman: no spellings in " << lexicon << '\n';
    return 1;
  }

  const long before = ResidentKiB();
  const auto load_start = std::chrono::steady_clock::now();
  roman::ModelOrError model = roman::Model::Load(model_path);
  lekhora::FrequenciesOrError table = lekhora::WordFrequencies::Load(table_path);
  if (const auto* error = std::get_if<lekhora::Error>(&model)) {
    std::cerr << "bench_roman: " << error->description() << '\n';
    return 1;
  }
  if (const auto* error = std::get_if<lekhora::Error>(&table)) {
    std::cerr << "bench_roman: " << error->description() << '\n';
    return 1;
  }
  // The romanizer counts the table's letters as it starts: part of loading.
  roman::Romanizer romanizer(std::get<roman::Model>(model),
                             std::get<lekhora::WordFrequencies>(table));
  const double load_ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - load_start)
          .count();
  const long loaded = ResidentKiB();
  // The search's settings may be tried out without a rebuild.
  if (const char* value = std::getenv("LEKHORA_ROMAN_BEAM"))
    romanizer.options().beam = std::stoul(value);
  if (const char* value = std::getenv("LEKHORA_ROMAN_PER_GROUP"))
    romanizer.options().per_group = std::stoul(value);
  if (const char* value = std::getenv("LEKHORA_ROMAN_FREQUENCY_WEIGHT"))
    romanizer.options().frequency_weight = std::stod(value);
  if (const char* value = std::getenv("LEKHORA_ROMAN_KNOWN_BONUS"))
    romanizer.options().known_bonus = std::stod(value);
  if (const char* value = std::getenv("LEKHORA_ROMAN_LETTER_WEIGHT"))
    romanizer.options().letter_weight = std::stod(value);
  if (const char* value = std::getenv("LEKHORA_ROMAN_UNTYPED_VOWEL_COST"))
    romanizer.options().untyped_vowel_cost = std::stod(value);
  if (const char* value = std::getenv("LEKHORA_ROMAN_UNTYPED_NASAL_COST"))
    romanizer.options().untyped_nasal_cost = std::stod(value);

  if (lexicon == "--show") {
    for (int i = 2; i < argc; ++i)
      for (const roman::RomanCandidate& candidate :
           romanizer.Candidates(lekhora::Utf8ToUtf16(argv[i]), 5))
        std::printf("%s\t%s\t%.2f%s\n", argv[i], lekhora::Utf16ToUtf8(candidate.word).c_str(),
                    candidate.score, candidate.known ? "\tknown" : "");
    return 0;
  }
  double top1 = 0, top5 = 0, weighted1 = 0, weighted5 = 0, weight = 0;
  std::vector<double> times;
  for (const auto& [latin, entry] : entries) {
    // A copy remembers no earlier search: each word is searched whole, not
    // from the last one's letters it shares.
    const roman::Romanizer whole(romanizer);
    const auto start = std::chrono::steady_clock::now();
    const std::vector<roman::RomanCandidate> candidates =
        whole.Candidates(lekhora::Utf8ToUtf16(latin), 5);
    times.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count());
    weight += entry.weight;
    for (std::size_t i = 0; i < candidates.size(); ++i)
      if (entry.words.count(candidates[i].word) > 0) {
        if (i == 0) {
          top1 += 1;
          weighted1 += entry.weight;
        }
        top5 += 1;
        weighted5 += entry.weight;
        break;
      }
    if (std::getenv("LEKHORA_ROMAN_MISSES") &&
        (candidates.empty() || entry.words.count(candidates[0].word) == 0))
      std::cout << latin << '\t' << lekhora::Utf16ToUtf8(*entry.words.begin()) << '\t'
                << (candidates.empty() ? "" : lekhora::Utf16ToUtf8(candidates[0].word)) << '\n';
  }
  std::sort(times.begin(), times.end());
  const double n = static_cast<double>(entries.size());
  std::printf("spellings            %zu (%s)\n", entries.size(), lexicon.c_str());
  std::printf("top-1                %.1f %%\n", Percent(top1, n));
  std::printf("top-5                %.1f %%\n", Percent(top5, n));
  std::printf("top-1 weighted       %.1f %%\n", Percent(weighted1, weight));
  std::printf("top-5 weighted       %.1f %%\n", Percent(weighted5, weight));
  std::printf("time per word        median %.0f us, worst %.0f us\n", times[times.size() / 2],
              times.back());
  std::printf("load                 %.0f ms\n", load_ms);
  std::printf(
      "memory               %.1f MB resident for the models and the word table (%.1f MB in all)\n",
      static_cast<double>(loaded - before) / 1024.0, static_cast<double>(loaded) / 1024.0);
  std::printf("model file           %ju bytes\n",
              static_cast<std::uintmax_t>(std::filesystem::file_size(model_path)));
  return 0;
}
