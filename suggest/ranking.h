#pragma once
// Which candidate comes first: the word people use most, the words this user
// writes, and the words that usually follow the one before. The rules are
// one score over the facts known about a word, so that a test can state them
// as data; the views below are what the shipped frequencies and the user's
// history give the ranking, and how they are stored is theirs.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lekhora {

/// What is known about one candidate.
struct WordFacts {
  std::u16string Word;
  /// The shipped table's weight, 0 for a word it lacks, up to kMaxFrequency.
  int Frequency = 0;
  /// In the bundled list.
  bool Listed = false;
  /// In the user's own word list.
  bool UsersOwn = false;
  /// How often the user committed it, and how many days ago last.
  int Uses = 0;
  double DaysSinceUse = 0;
  /// How often the user wrote it straight after the previous word.
  int AfterPrevious = 0;
};

inline constexpr int kMaxFrequency = 255;

/// The one score: the higher, the earlier. A word in the user's list is never
/// outranked by what the shipped frequencies alone say of another.
double RankScore(const WordFacts& facts);

/// Best first; equal scores in code-unit order, so the order never depends
/// on where a candidate was found.
void SortByRank(std::vector<WordFacts>& candidates);

/// The shipped word frequencies, as ranking reads them.
class FrequencyView {
 public:
  virtual ~FrequencyView() = default;
  virtual int Frequency(std::u16string_view word) const = 0;
  /// Up to limit words beginning with prefix, the most frequent first, each
  /// with its frequency.
  virtual void MostFrequent(std::u16string_view prefix, int limit,
                            const std::function<void(std::u16string_view, int)>& visit) const = 0;
  /// Whether every word of the bundled list is among the words it knows, so
  /// that its most frequent words with a prefix stand for the list's too.
  virtual bool HoldsEveryListedWord() const { return false; }
};

/// The user's history, as ranking reads it.
struct WordUse {
  int Uses = 0;
  double DaysSinceUse = 0;
};
class HistoryView {
 public:
  virtual ~HistoryView() = default;
  virtual WordUse Use(std::u16string_view word) const = 0;
  virtual int Follows(std::u16string_view previous, std::u16string_view word) const = 0;
  /// Up to limit words beginning with prefix, the most used first.
  virtual void MostUsed(std::u16string_view prefix, int limit,
                        const std::function<void(std::u16string_view)>& visit) const = 0;
  /// Up to limit words written straight after previous, the most often first.
  virtual void Followers(std::u16string_view previous, int limit,
                         const std::function<void(std::u16string_view)>& visit) const = 0;
};

/// Where candidates come from besides the two views: the words of the lists
/// that begin with the prefix, found by the caller's search.
struct ListMatches {
  std::vector<std::u16string_view> Bundled;
  std::vector<std::u16string_view> Users;
};

/// Ranks the candidates for prefix after previous (empty when there is none):
/// the lists' matches, the most frequent and the most used words with the
/// prefix, each word once, best first, at most limit. With an empty prefix
/// the words that usually follow previous are offered, from the history only.
/// Either view may be null.
class Ranking {
 public:
  Ranking(const FrequencyView* frequencies, const HistoryView* history)
      : frequencies_(frequencies), history_(history) {}

  std::vector<std::u16string> Rank(std::u16string_view prefix, std::u16string_view previous,
                                   const ListMatches& matches, int limit) const;

  /// How many words each view offers for a prefix: with the others', more
  /// than two pages, few enough that a key costs a few microseconds (and a
  /// longer offer changed no measured saving).
  static constexpr int kOffered = 12;

 private:
  /// frequency: the table's weight when already known, else -1.
  WordFacts FactsOf(std::u16string word, std::u16string_view previous, bool listed, bool usersOwn,
                    int frequency) const;

  const FrequencyView* frequencies_;
  const HistoryView* history_;
};

}  // namespace lekhora
