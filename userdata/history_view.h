#pragma once
// The user's history as ranking reads it: counts, how long ago, and what
// followed what, from the store's memory.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "suggest/ranking.h"
#include "userdata/word_history.h"

namespace lekhora {

class HistoryRanks final : public HistoryView {
 public:
  /// history must outlive the view; now tells the age of a use (the system
  /// clock when empty).
  explicit HistoryRanks(const WordHistory& history,
                        std::function<std::chrono::system_clock::time_point()> now = {})
      : history_(history), now_(std::move(now)) {}

  WordUse Use(std::u16string_view word) const override;
  int Follows(std::u16string_view previous, std::u16string_view word) const override;
  void MostUsed(std::u16string_view prefix, int limit,
                const std::function<void(std::u16string_view)>& visit) const override;
  void Followers(std::u16string_view previous, int limit,
                 const std::function<void(std::u16string_view)>& visit) const override;

 private:
  // A prefix's most used words, best first, as counted at the time: a short
  // prefix has thousands of learned words, and walking them all at each key
  // would make a key's cost grow with the history.
  struct Top {
    int Limit = 0;
    std::vector<std::pair<std::u16string, std::int64_t>> Words;
  };

  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view text) const {
      return std::hash<std::u16string_view>{}(text);
    }
  };

  double DaysSince(std::int64_t seconds) const;
  /// Brings the tops up to the history: the words recorded since are placed
  /// anew; any other change drops them.
  void CatchUp() const;

  const WordHistory& history_;
  mutable std::unordered_map<std::u16string, Top, TextHash, std::equal_to<>> tops_;
  // Each candidate's uses are looked up at every key; a lookup in the
  // history's ordered map costs a string comparison per level.
  mutable std::unordered_map<std::u16string, HistoryEntry, TextHash, std::equal_to<>> uses_;
  mutable std::uint64_t generation_ = 0;
  mutable std::size_t recordedSeen_ = 0;
  mutable std::size_t longestTop_ = 0;
  std::function<std::chrono::system_clock::time_point()> now_;
};

}  // namespace lekhora
