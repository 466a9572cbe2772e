#pragma once
// The shipped word frequencies as ranking reads them.

#include "suggest/ranking.h"
#include "suggest/word_frequencies.h"

namespace lekhora {

class TableFrequencies final : public FrequencyView {
 public:
  /// table must outlive the view.
  explicit TableFrequencies(const WordFrequencies& table) : table_(table) {}

  int Frequency(std::u16string_view word) const override { return table_.Score(word); }
  void MostFrequent(std::u16string_view prefix, int limit,
                    const std::function<void(std::u16string_view, int)>& visit) const override {
    if (limit <= 0) return;
    for (const ScoredWord& found : table_.Complete(prefix, static_cast<std::size_t>(limit)))
      visit(found.word, found.score);
  }
  /// The table is made with every word of the bundled list in it.
  bool HoldsEveryListedWord() const override { return !table_.empty(); }

 private:
  const WordFrequencies& table_;
};

}  // namespace lekhora
