#pragma once
// The learned words as they are read on every key: plain maps in memory, so
// that a lookup never waits on the history file or grows with its writes.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace lekhora {

/// How often a word (or a word after another) was committed, and when last.
struct HistoryEntry {
  std::int64_t Count = 0;
  /// Seconds since 1970-01-01 UTC.
  std::int64_t LastUsed = 0;
};

struct HistoryWord {
  std::u16string_view Word;
  HistoryEntry Entry;
};

/// A row to age out: a word (Previous empty) or a word after Previous.
struct HistoryKey {
  std::u16string Previous;
  std::u16string Word;
};

/// What may be learned: 1 to 1000 UTF-16 code units, no unpaired surrogate
/// and no U+0000 (which the file's text cannot hold).
bool IsHistoryWord(std::u16string_view word);

class HistorySnapshot {
 public:
  /// Nothing when the word was never committed (or was forgotten).
  const HistoryEntry* Word(std::u16string_view word) const;
  const HistoryEntry* Pair(std::u16string_view previous, std::u16string_view word) const;

  /// Visits every learned word that begins with prefix, in code-unit order,
  /// without copying; the empty prefix visits all.
  template <typename Visit>
  void ForEachWordBeginningWith(std::u16string_view prefix, Visit&& visit) const {
    for (auto it = words_.lower_bound(prefix); it != words_.end(); ++it) {
      if (std::u16string_view(it->first).substr(0, prefix.size()) != prefix) break;
      visit(HistoryWord{it->first, it->second});
    }
  }
  std::vector<HistoryWord> WordsBeginningWith(std::u16string_view prefix) const;

  /// Visits the words committed right after previous, in code-unit order.
  template <typename Visit>
  void ForEachFollower(std::u16string_view previous, Visit&& visit) const {
    const auto found = pairs_.find(previous);
    if (found == pairs_.end()) return;
    for (const auto& [word, entry] : found->second) visit(HistoryWord{word, entry});
  }
  /// Visits every pair as (previous, word and its entry).
  template <typename Visit>
  void ForEachPair(Visit&& visit) const {
    for (const auto& [previous, followers] : pairs_)
      for (const auto& [word, entry] : followers)
        visit(std::u16string_view(previous), HistoryWord{word, entry});
  }
  /// The most frequent followers of previous, at most limit of them: higher
  /// count first, then the more recent, then code-unit order.
  std::vector<HistoryWord> Followers(std::u16string_view previous, std::size_t limit) const;

  /// Adds count commits at time when (the later of it and the stored time
  /// stays), as the file's rows add them.
  void AddWord(std::u16string_view word, std::int64_t count, std::int64_t when);
  void AddPair(std::u16string_view previous, std::u16string_view word, std::int64_t count,
               std::int64_t when);
  /// Removes the word, every pair it is part of, and nothing else.
  void Forget(std::u16string_view word);
  void RemoveWord(std::u16string_view word);
  void RemovePair(std::u16string_view previous, std::u16string_view word);
  void Clear();

  /// Words and pairs together: what the bound counts.
  std::size_t Rows() const { return words_.size() + pairCount_; }
  std::size_t WordCount() const { return words_.size(); }

  /// When there are more than most rows, removes rows until keep remain
  /// (keep <= most) and returns them. The rule, for words and pairs alike:
  /// the lowest count goes first, among equal counts the longest unused, and
  /// among those the last in code-unit order, so that every process that ages
  /// the same rows removes the same ones.
  std::vector<HistoryKey> AgeOut(std::size_t most, std::size_t keep);

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view text) const {
      return std::hash<std::u16string_view>{}(text);
    }
  };
  using Followers_ = std::map<std::u16string, HistoryEntry, std::less<>>;

  std::map<std::u16string, HistoryEntry, std::less<>> words_;
  std::unordered_map<std::u16string, Followers_, Hash, std::equal_to<>> pairs_;
  std::size_t pairCount_ = 0;
};

}  // namespace lekhora
