#include "tools/words/frequency_sources.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <stdexcept>

#include "suggest/canonical_fold.h"
#include "text/utf8.h"

namespace lekhora::words {

namespace {

bool IsJoiner(char16_t unit) {
  return unit == 0x200C || unit == 0x200D;
}

void Add(std::u16string_view word, std::uint64_t count, FrequencyCounts& counts) {
  WordRule broken{};
  const std::optional<std::u16string> spelled = TableSpelling(word, &broken);
  if (!spelled) {
    ++counts.dropped[broken];
    return;
  }
  if (*spelled != word) ++counts.respelled;
  std::uint64_t& total = counts.counts[*spelled];
  total = count > std::numeric_limits<std::uint64_t>::max() - total
              ? std::numeric_limits<std::uint64_t>::max()
              : total + count;
}

}  // namespace

std::optional<std::u16string> TableSpelling(std::u16string_view word, WordRule* broken) {
  std::u16string joined;
  for (char16_t unit : word)
    if (!IsJoiner(unit)) joined += unit;
  std::u16string folded;
  FoldCanonical(joined, folded);
  // The fold is normal form C only for Devanagari; the rules refuse the rest.
  if (const std::optional<WordFault> fault = CheckWord(folded)) {
    if (broken != nullptr) *broken = fault->rule;
    return std::nullopt;
  }
  return folded;
}

void AddCounts(std::string_view text, FrequencyCounts& counts) {
  if (const std::optional<std::size_t> bad = DecodeUtf8(text).badOffset)
    throw std::runtime_error("not UTF-8 at byte " + std::to_string(*bad));
  std::size_t line_number = 0;
  while (!text.empty()) {
    ++line_number;
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty()) continue;
    const std::size_t space = line.rfind(' ');
    std::uint64_t count = 0;
    bool counted = space != std::string_view::npos && space > 0;
    if (counted) {
      const char* end_of_line = line.data() + line.size();
      const auto [ptr, ec] = std::from_chars(line.data() + space + 1, end_of_line, count);
      counted = ec == std::errc() && ptr == end_of_line && count > 0;
    }
    if (!counted)
      throw std::runtime_error("line " + std::to_string(line_number) +
                               " is not a word, a space and a count above 0");
    Add(Utf8ToUtf16(line.substr(0, space)), count, counts);
  }
}

void RaiseToFloor(const std::vector<std::u16string>& words, std::uint64_t floor,
                  FrequencyCounts& counts) {
  for (const std::u16string& word : words) {
    WordRule broken{};
    const std::optional<std::u16string> spelled = TableSpelling(word, &broken);
    if (!spelled) {
      ++counts.dropped[broken];
      continue;
    }
    std::uint64_t& count = counts.counts[*spelled];
    count = std::max(count, floor);
  }
}

std::vector<ScoredWord> ScoredWords(const FrequencyCounts& counts) {
  std::vector<ScoredWord> words;
  words.reserve(counts.counts.size());
  for (const auto& [word, count] : counts.counts) words.push_back({word, ScoreOfCount(count)});
  return words;
}

}  // namespace lekhora::words
