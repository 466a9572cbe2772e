#include "userdata/history_view.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace lekhora {
namespace {

int Narrow(std::int64_t count) {
  return static_cast<int>(std::clamp<std::int64_t>(count, 0, INT_MAX));
}

}  // namespace

double HistoryRanks::DaysSince(std::int64_t seconds) const {
  const auto now = now_ ? now_() : std::chrono::system_clock::now();
  const auto nowSeconds =
      std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count();
  return static_cast<double>(std::max<std::int64_t>(nowSeconds - seconds, 0)) / 86400;
}

WordUse HistoryRanks::Use(std::u16string_view word) const {
  const HistoryEntry* entry = history_.Snapshot().Word(word);
  if (entry == nullptr) return {};
  return {Narrow(entry->Count), DaysSince(entry->LastUsed)};
}

int HistoryRanks::Follows(std::u16string_view previous, std::u16string_view word) const {
  const HistoryEntry* entry = history_.Snapshot().Pair(previous, word);
  return entry == nullptr ? 0 : Narrow(entry->Count);
}

void HistoryRanks::MostUsed(std::u16string_view prefix, int limit,
                            const std::function<void(std::u16string_view)>& visit) const {
  if (limit <= 0 || prefix.empty()) return;
  // The most used few of the words with the prefix, without sorting them all.
  std::vector<HistoryWord> best;
  const auto worse = [](const HistoryWord& a, const HistoryWord& b) {
    return a.Entry.Count > b.Entry.Count;
  };
  history_.Snapshot().ForEachWordBeginningWith(prefix, [&](const HistoryWord& found) {
    if (static_cast<int>(best.size()) < limit) {
      best.push_back(found);
      std::push_heap(best.begin(), best.end(), worse);
    } else if (found.Entry.Count > best.front().Entry.Count) {
      std::pop_heap(best.begin(), best.end(), worse);
      best.back() = found;
      std::push_heap(best.begin(), best.end(), worse);
    }
  });
  std::sort_heap(best.begin(), best.end(), worse);
  for (const HistoryWord& word : best) visit(word.Word);
}

void HistoryRanks::Followers(std::u16string_view previous, int limit,
                             const std::function<void(std::u16string_view)>& visit) const {
  if (limit <= 0) return;
  for (const HistoryWord& word :
       history_.Snapshot().Followers(previous, static_cast<std::size_t>(limit)))
    visit(word.Word);
}

}  // namespace lekhora
