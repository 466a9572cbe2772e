#pragma once
// The shipped word frequencies, made from counted text and the word list's
// own sources: only words the word list's spelling rules accept, each in the
// spelling the search folds to, so a score is found for what is typed.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "suggest/word_frequencies.h"
#include "tools/words/word_checks.h"

namespace lekhora::words {

/// Counts by word, in code-unit order, and what was left out.
struct FrequencyCounts {
  std::map<std::u16string, std::uint64_t> counts;
  std::map<WordRule, std::size_t> dropped;  // words left out, by the rule they broke
  std::size_t respelled = 0;                // words whose count went to another spelling
};

/// word as the table holds it: without ZWJ and ZWNJ (a joiner chooses a glyph,
/// not a letter) and in normal form C; or the rule that spelling breaks.
std::optional<std::u16string> TableSpelling(std::u16string_view word, WordRule* broken = nullptr);

/// Adds the counts of UTF-8 "WORD COUNT" lines (the form of the subtitle
/// counts in data/); the counts of spellings of one word add up. Throws
/// std::runtime_error naming the line for text that is not UTF-8 and for a
/// line without a count above 0.
void AddCounts(std::string_view text, FrequencyCounts& counts);

/// Gives each word at least floor, so that the word list's words and the
/// everyday words stay known however rarely the counted text uses them.
/// Words the rules refuse are dropped as counted ones are.
void RaiseToFloor(const std::vector<std::u16string>& words, std::uint64_t floor,
                  FrequencyCounts& counts);

/// The table's entries: every word with the score of its count.
std::vector<ScoredWord> ScoredWords(const FrequencyCounts& counts);

}  // namespace lekhora::words
