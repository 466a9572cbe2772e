#include "userdata/history_snapshot.h"

#include <algorithm>
#include <tuple>

#include "base/utf16.h"

namespace lekhora {
namespace {

// Longer than any word a person types; a longer "word" is pasted text or a
// fault, and would only weigh on every process that reads the history.
constexpr std::size_t kLongestWord = 1000;

void Add(HistoryEntry& entry, std::int64_t count, std::int64_t when) {
  entry.Count += count;
  entry.LastUsed = std::max(entry.LastUsed, when);
}

bool RanksAbove(const HistoryWord& a, const HistoryWord& b) {
  if (a.Entry.Count != b.Entry.Count) return a.Entry.Count > b.Entry.Count;
  if (a.Entry.LastUsed != b.Entry.LastUsed) return a.Entry.LastUsed > b.Entry.LastUsed;
  return a.Word < b.Word;
}

struct AgeRow {
  const HistoryEntry* Entry;
  std::u16string_view Previous;
  std::u16string_view Word;
};

// True when a is aged out before b.
bool GoesFirst(const AgeRow& a, const AgeRow& b) {
  return std::tuple(a.Entry->Count, a.Entry->LastUsed) <
             std::tuple(b.Entry->Count, b.Entry->LastUsed) ||
         (std::tuple(a.Entry->Count, a.Entry->LastUsed) ==
              std::tuple(b.Entry->Count, b.Entry->LastUsed) &&
          std::tuple(a.Previous, a.Word) > std::tuple(b.Previous, b.Word));
}

}  // namespace

bool IsHistoryWord(std::u16string_view word) {
  if (word.empty() || word.size() > kLongestWord) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    const char16_t unit = word[i];
    if (unit == 0 || IsLowSurrogate(unit)) return false;
    if (IsHighSurrogate(unit)) {
      if (i + 1 == word.size() || !IsLowSurrogate(word[i + 1])) return false;
      ++i;
    }
  }
  return true;
}

const HistoryEntry* HistorySnapshot::Word(std::u16string_view word) const {
  const auto found = words_.find(word);
  return found == words_.end() ? nullptr : &found->second;
}

const HistoryEntry* HistorySnapshot::Pair(std::u16string_view previous,
                                          std::u16string_view word) const {
  const auto followers = pairs_.find(previous);
  if (followers == pairs_.end()) return nullptr;
  const auto found = followers->second.find(word);
  return found == followers->second.end() ? nullptr : &found->second;
}

std::vector<HistoryWord> HistorySnapshot::WordsBeginningWith(std::u16string_view prefix) const {
  std::vector<HistoryWord> found;
  ForEachWordBeginningWith(prefix, [&](const HistoryWord& word) { found.push_back(word); });
  return found;
}

std::vector<HistoryWord> HistorySnapshot::Followers(std::u16string_view previous,
                                                    std::size_t limit) const {
  std::vector<HistoryWord> found;
  ForEachFollower(previous, [&](const HistoryWord& word) { found.push_back(word); });
  const std::size_t kept = std::min(limit, found.size());
  std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(kept), found.end(),
                    RanksAbove);
  found.resize(kept);
  return found;
}

void HistorySnapshot::AddWord(std::u16string_view word, std::int64_t count, std::int64_t when) {
  auto found = words_.find(word);
  if (found == words_.end()) found = words_.emplace(std::u16string(word), HistoryEntry{}).first;
  Add(found->second, count, when);
}

void HistorySnapshot::AddPair(std::u16string_view previous, std::u16string_view word,
                              std::int64_t count, std::int64_t when) {
  auto followers = pairs_.find(previous);
  if (followers == pairs_.end())
    followers = pairs_.emplace(std::u16string(previous), Followers_{}).first;
  auto found = followers->second.find(word);
  if (found == followers->second.end()) {
    found = followers->second.emplace(std::u16string(word), HistoryEntry{}).first;
    ++pairCount_;
  }
  Add(found->second, count, when);
}

void HistorySnapshot::RemoveWord(std::u16string_view word) {
  const auto found = words_.find(word);
  if (found != words_.end()) words_.erase(found);
}

void HistorySnapshot::RemovePair(std::u16string_view previous, std::u16string_view word) {
  const auto followers = pairs_.find(previous);
  if (followers == pairs_.end()) return;
  const auto found = followers->second.find(word);
  if (found == followers->second.end()) return;
  followers->second.erase(found);
  --pairCount_;
  if (followers->second.empty()) pairs_.erase(followers);
}

void HistorySnapshot::Forget(std::u16string_view word) {
  RemoveWord(word);
  if (const auto own = pairs_.find(word); own != pairs_.end()) {
    pairCount_ -= own->second.size();
    pairs_.erase(own);
  }
  for (auto it = pairs_.begin(); it != pairs_.end();) {
    if (const auto found = it->second.find(word); found != it->second.end()) {
      it->second.erase(found);
      --pairCount_;
    }
    it = it->second.empty() ? pairs_.erase(it) : std::next(it);
  }
}

void HistorySnapshot::Clear() {
  words_.clear();
  pairs_.clear();
  pairCount_ = 0;
}

std::vector<HistoryKey> HistorySnapshot::AgeOut(std::size_t most, std::size_t keep) {
  if (Rows() <= most) return {};
  keep = std::min(keep, most);
  std::vector<AgeRow> rows;
  rows.reserve(Rows());
  for (const auto& [word, entry] : words_) rows.push_back({&entry, {}, word});
  for (const auto& [previous, followers] : pairs_)
    for (const auto& [word, entry] : followers) rows.push_back({&entry, previous, word});
  const std::size_t excess = rows.size() - keep;
  std::nth_element(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(excess), rows.end(),
                   GoesFirst);
  std::vector<HistoryKey> aged;
  aged.reserve(excess);
  for (std::size_t i = 0; i < excess; ++i)
    aged.push_back({std::u16string(rows[i].Previous), std::u16string(rows[i].Word)});
  for (const HistoryKey& key : aged) {
    if (key.Previous.empty())
      RemoveWord(key.Word);
    else
      RemovePair(key.Previous, key.Word);
  }
  return aged;
}

}  // namespace lekhora
