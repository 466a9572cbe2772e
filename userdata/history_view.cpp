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
  CatchUp();
  auto found = uses_.find(word);
  if (found == uses_.end()) {
    const HistoryEntry* entry = history_.Snapshot().Word(word);
    // A word never used is remembered too, as most candidates are.
    found = uses_.emplace(std::u16string(word), entry != nullptr ? *entry : HistoryEntry{}).first;
  }
  const HistoryEntry& entry = found->second;
  if (entry.Count == 0) return {};
  return {Narrow(entry.Count), DaysSince(entry.LastUsed)};
}

int HistoryRanks::Follows(std::u16string_view previous, std::u16string_view word) const {
  const HistoryEntry* entry = history_.Snapshot().Pair(previous, word);
  return entry == nullptr ? 0 : Narrow(entry->Count);
}

namespace {

using Used = std::pair<std::u16string, std::int64_t>;

// The more used first; among equally used, code-unit order.
bool Better(const Used& a, const Used& b) {
  return a.second != b.second ? a.second > b.second : a.first < b.first;
}

// So many prefixes are remembered at most; typing asks a few per word.
constexpr std::size_t kMostTops = 4096;
constexpr std::size_t kMostUses = 65536;

}  // namespace

void HistoryRanks::CatchUp() const {
  if (history_.Generation() != generation_ || tops_.size() > kMostTops ||
      uses_.size() > kMostUses) {
    tops_.clear();
    uses_.clear();
    longestTop_ = 0;
    generation_ = history_.Generation();
    recordedSeen_ = 0;
  }
  const std::vector<std::u16string>& recorded = history_.Recorded();
  for (; recordedSeen_ < recorded.size(); ++recordedSeen_) {
    const std::u16string& word = recorded[recordedSeen_];
    const HistoryEntry* entry = history_.Snapshot().Word(word);
    if (entry == nullptr) continue;
    if (const auto known = uses_.find(word); known != uses_.end()) known->second = *entry;
    const Used used{word, entry->Count};
    // Counts only grow between generations: the word keeps or takes its
    // place, and no other word's changes.
    for (std::size_t length = 1; length <= std::min(word.size(), longestTop_); ++length) {
      const auto found = tops_.find(std::u16string_view(word).substr(0, length));
      if (found == tops_.end()) continue;
      auto& words = found->second.Words;
      auto at =
          std::find_if(words.begin(), words.end(), [&](const Used& w) { return w.first == word; });
      if (at != words.end()) {
        at->second = used.second;
      } else if (static_cast<int>(words.size()) < found->second.Limit) {
        // The top holds every word of the prefix.
        words.push_back(used);
      } else if (Better(used, words.back())) {
        words.back() = used;
      } else {
        continue;
      }
      std::sort(words.begin(), words.end(), Better);
    }
  }
}

void HistoryRanks::MostUsed(std::u16string_view prefix, int limit,
                            const std::function<void(std::u16string_view)>& visit) const {
  if (limit <= 0 || prefix.empty()) return;
  CatchUp();
  auto found = tops_.find(prefix);
  if (found == tops_.end()) found = tops_.emplace(std::u16string(prefix), Top{}).first;
  Top& top = found->second;
  if (top.Limit < limit) {
    // The most used few of the words with the prefix, without sorting them
    // all: the heap's front is the worst kept.
    std::vector<Used> best;
    history_.Snapshot().ForEachWordBeginningWith(prefix, [&](const HistoryWord& found) {
      if (static_cast<int>(best.size()) < limit) {
        best.emplace_back(found.Word, found.Entry.Count);
        std::push_heap(best.begin(), best.end(), Better);
      } else if (found.Entry.Count > best.front().second) {
        // Visited in code-unit order: an equally used word ranks after those kept.
        std::pop_heap(best.begin(), best.end(), Better);
        best.back() = Used(found.Word, found.Entry.Count);
        std::push_heap(best.begin(), best.end(), Better);
      }
    });
    std::sort_heap(best.begin(), best.end(), Better);
    top.Limit = limit;
    top.Words = std::move(best);
    longestTop_ = std::max(longestTop_, prefix.size());
  }
  int visited = 0;
  for (const Used& word : top.Words) {
    if (visited++ == limit) break;
    visit(word.first);
  }
}

void HistoryRanks::Followers(std::u16string_view previous, int limit,
                             const std::function<void(std::u16string_view)>& visit) const {
  if (limit <= 0) return;
  for (const HistoryWord& word :
       history_.Snapshot().Followers(previous, static_cast<std::size_t>(limit)))
    visit(word.Word);
}

}  // namespace lekhora
