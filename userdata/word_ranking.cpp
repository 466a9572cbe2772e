#include "userdata/word_ranking.h"

#include <variant>

#include "base/data_files.h"
#include "suggest/canonical_fold.h"

namespace lekhora {
namespace {

WordFrequencies LoadTable(const std::filesystem::path& programFolder) {
  FrequenciesOrError loaded = WordFrequencies::Load(programFolder / kWordFrequencyFile);
  if (auto* table = std::get_if<WordFrequencies>(&loaded)) return std::move(*table);
  return {};
}

// Letters, signs and the joiners between them; the danda, the digits and
// every other script end a word.
bool InWord(char16_t unit) {
  return (unit >= 0x0900 && unit <= 0x0963) || (unit >= 0x0970 && unit <= 0x097F) ||
         unit == 0x200C || unit == 0x200D;
}

}  // namespace

WordRanking::WordRanking(const std::filesystem::path& programFolder,
                         std::filesystem::path historyFile, WordHistoryOptions options)
    : table_(LoadTable(programFolder)),
      history_(std::make_unique<WordHistory>(std::move(historyFile), options)),
      historyView_(*history_, options.Now),
      ranking_(table_.empty() ? nullptr : &frequencies_, &historyView_) {}

void WordRanking::Learn(std::u16string_view text, std::u16string& previous) {
  std::u16string folded;
  std::size_t i = 0;
  while (i < text.size()) {
    if (!InWord(text[i])) {
      // Spaces keep the words on either side together; anything else (a
      // full stop, a comma, a Latin word) starts afresh.
      if (text[i] != u' ') previous.clear();
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && InWord(text[end])) ++end;
    const std::u16string word(SearchForm(text.substr(i, end - i), folded));
    if (learning_) history_->Record(previous, word);
    previous = word;
    i = end;
  }
}

bool WordRanking::LearnEnded(std::u16string_view before, std::u16string& previous) {
  const std::size_t end = before.size();
  std::size_t start = end;
  while (start > 0 && InWord(before[start - 1])) --start;
  if (start == end) return false;
  std::size_t gap = start;
  while (gap > 0 && before[gap - 1] == u' ') --gap;
  std::size_t first = gap;
  while (first > 0 && InWord(before[first - 1])) --first;
  previous.clear();
  if (first < gap && gap < start) {
    std::u16string folded;
    previous = SearchForm(before.substr(first, gap - first), folded);
  }
  Learn(before.substr(start), previous);
  return true;
}

}  // namespace lekhora
