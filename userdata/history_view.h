#pragma once
// The user's history as ranking reads it: counts, how long ago, and what
// followed what, from the store's memory.

#include <chrono>
#include <functional>

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
  double DaysSince(std::int64_t seconds) const;

  const WordHistory& history_;
  std::function<std::chrono::system_clock::time_point()> now_;
};

}  // namespace lekhora
