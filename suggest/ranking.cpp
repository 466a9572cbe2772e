#include "suggest/ranking.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace lekhora {
namespace {

// Weights, tuned with the typist on texts the frequencies were not made
// from. The frequency part lies in [0, 1].
constexpr double kListedFloor = 0.01;
// Above every word the frequencies alone rank.
constexpr double kUsersOwnBase = 1.05;
// A word used once counts more than a fairly common word; two uses put it
// ahead of nearly any.
constexpr double kUseWeight = 0.6;
// Uses fade over about a month.
constexpr double kUseHalfLifeDays = 30;
// What the previous word says outweighs what the prefix alone says.
constexpr double kFollowWeight = 1.2;

}  // namespace

double RankScore(const WordFacts& facts) {
  double base = static_cast<double>(std::clamp(facts.Frequency, 0, kMaxFrequency)) / kMaxFrequency;
  if (facts.Frequency == 0 && facts.Listed) base = kListedFloor;
  if (facts.UsersOwn) base = kUsersOwnBase + base / 100;
  const double recency = 1 / (1 + std::max(facts.DaysSinceUse, 0.0) / kUseHalfLifeDays);
  const double used = kUseWeight * std::log2(1 + std::max(facts.Uses, 0)) * recency;
  const double follows = kFollowWeight * std::log2(1 + std::max(facts.AfterPrevious, 0));
  return base + used + follows;
}

void SortByRank(std::vector<WordFacts>& candidates) {
  std::vector<std::pair<double, std::size_t>> order;
  order.reserve(candidates.size());
  for (std::size_t i = 0; i < candidates.size(); ++i)
    order.emplace_back(RankScore(candidates[i]), i);
  std::sort(order.begin(), order.end(), [&candidates](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first > b.first;
    return candidates[a.second].Word < candidates[b.second].Word;
  });
  std::vector<WordFacts> sorted;
  sorted.reserve(candidates.size());
  for (const auto& [score, index] : order) sorted.push_back(std::move(candidates[index]));
  candidates = std::move(sorted);
}

WordFacts Ranking::FactsOf(std::u16string word, std::u16string_view previous, bool listed,
                           bool usersOwn, int frequency) const {
  WordFacts facts;
  facts.Listed = listed;
  facts.UsersOwn = usersOwn;
  if (frequency >= 0)
    facts.Frequency = frequency;
  else if (frequencies_ != nullptr)
    facts.Frequency = frequencies_->Frequency(word);
  if (history_ != nullptr) {
    const WordUse use = history_->Use(word);
    facts.Uses = use.Uses;
    facts.DaysSinceUse = use.DaysSinceUse;
    if (!previous.empty()) facts.AfterPrevious = history_->Follows(previous, word);
  }
  facts.Word = std::move(word);
  return facts;
}

std::vector<std::u16string> Ranking::Rank(std::u16string_view prefix, std::u16string_view previous,
                                          const ListMatches& matches, int limit) const {
  std::vector<WordFacts> candidates;
  std::unordered_set<std::u16string_view> seen;
  // The views' words live in their own storage; each candidate is copied
  // once, and seen points into the candidates' own strings.
  candidates.reserve(static_cast<std::size_t>(kOffered) * 4);
  seen.reserve(candidates.capacity());
  const auto add = [&](std::u16string_view word, bool listed, bool usersOwn, int frequency = -1) {
    if (word.empty() || seen.contains(word)) return;
    // The lists' own words are found again by the views: what they say of
    // a word is looked up once, whoever offers it first.
    candidates.push_back(FactsOf(std::u16string(word), previous, listed, usersOwn, frequency));
    seen.insert(candidates.back().Word);
  };
  // reserve() above keeps the strings seen points into where they are.
  const auto room = [&] { return candidates.size() < candidates.capacity(); };
  if (prefix.empty()) {
    if (history_ != nullptr && !previous.empty())
      history_->Followers(previous, kOffered, [&](std::u16string_view w) {
        if (room()) add(w, false, false);
      });
  } else {
    for (std::u16string_view w : matches.Users)
      if (room()) add(w, false, true);
    // A table that holds the whole list offers its most frequent words
    // instead: the first of the list's matches are merely the first in
    // code-unit order, and looking each up costs more than the key may.
    if (frequencies_ == nullptr || !frequencies_->HoldsEveryListedWord()) {
      int bundled = 0;
      for (std::u16string_view w : matches.Bundled)
        if (room() && bundled++ < kOffered) add(w, true, false);
    }
    if (frequencies_ != nullptr)
      frequencies_->MostFrequent(prefix, kOffered, [&](std::u16string_view w, int frequency) {
        if (room()) add(w, false, false, frequency);
      });
    if (history_ != nullptr)
      history_->MostUsed(prefix, kOffered, [&](std::u16string_view w) {
        if (room()) add(w, false, false);
      });
  }
  SortByRank(candidates);
  std::vector<std::u16string> ranked;
  const std::size_t count =
      std::min(candidates.size(), static_cast<std::size_t>(std::max(limit, 0)));
  ranked.reserve(count);
  for (std::size_t i = 0; i < count; ++i) ranked.push_back(std::move(candidates[i].Word));
  return ranked;
}

}  // namespace lekhora
