#pragma once
// Arbitrary bytes as the word frequency table: refused with an error or, when
// taken, searched without reading outside the bytes, and every word found
// again with its own score.

#include <algorithm>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "suggest/word_frequencies.h"
#include "tests/fuzz/fuzz_checks.h"

namespace lekhora::fuzz {

inline void CheckFrequencies(const std::uint8_t* data, std::size_t size) {
  FrequenciesOrError loaded =
      WordFrequencies::FromBytes(std::vector<std::uint8_t>(data, data + size));
  if (std::holds_alternative<Error>(loaded)) return;
  const WordFrequencies& table = std::get<WordFrequencies>(loaded);
  const std::size_t shown = std::min<std::size_t>(table.size(), 64);
  for (std::size_t i = 0; i < shown; ++i) {
    const std::u16string word = table.Word(i);
    if (table.Score(word) != table.ScoreAt(i)) Violated("a word of the table not found again");
    const std::vector<ScoredWord> best = table.Complete(word.substr(0, 1), 9);
    if (best.empty()) Violated("no completion of a word's own first letter");
    for (std::size_t j = 1; j < best.size(); ++j)
      if (best[j].score > best[j - 1].score ||
          (best[j].score == best[j - 1].score && !(best[j - 1].word < best[j].word)))
        Violated("completions out of order");
  }
}

}  // namespace lekhora::fuzz
