#include "suggest/ranking.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

namespace lekhora {
namespace {

// Pairs of candidates and which one must come first: the ranking's rules.
struct Rule {
  const char* what;
  WordFacts first;
  WordFacts second;
};

WordFacts Facts(std::u16string word) {
  WordFacts f;
  f.Word = std::move(word);
  return f;
}

WordFacts With(WordFacts f, int frequency) {
  f.Frequency = frequency;
  return f;
}

TEST(Ranking, RulesHoldAsStated) {
  auto usersOwn = Facts(u"ख");
  usersOwn.UsersOwn = true;
  auto listed = Facts(u"घ");
  listed.Listed = true;
  auto usedOften = Facts(u"ग");
  usedOften.Uses = 8;
  auto usedLongAgo = Facts(u"ग");
  usedLongAgo.Uses = 8;
  usedLongAgo.DaysSinceUse = 365;
  auto follows = Facts(u"च");
  follows.AfterPrevious = 3;
  const Rule rules[] = {
      {"more frequent first", With(Facts(u"ब"), 200), With(Facts(u"अ"), 100)},
      {"the user's own word over the most frequent word", usersOwn,
       With(Facts(u"क"), kMaxFrequency)},
      {"a listed word the table lacks over an unknown one", listed, Facts(u"अ")},
      {"a word used often over a frequent word", usedOften, With(Facts(u"क"), 200)},
      {"recent use over old use", usedOften, usedLongAgo},
      {"the usual follower over a frequent word", follows, With(Facts(u"क"), 230)},
      {"equal scores in code-unit order", With(Facts(u"क"), 9), With(Facts(u"ख"), 9)},
  };
  for (const Rule& rule : rules) {
    std::vector<WordFacts> both{rule.second, rule.first};
    SortByRank(both);
    EXPECT_EQ(both.front().Word, rule.first.Word) << rule.what;
    if (rule.first.Word != rule.second.Word) {
      std::swap(both.front(), both.back());
      SortByRank(both);
      EXPECT_EQ(both.front().Word, rule.first.Word) << rule.what << " (given the other way)";
    } else {
      EXPECT_GT(RankScore(rule.first), RankScore(rule.second)) << rule.what;
    }
  }
}

class FakeFrequencies final : public FrequencyView {
 public:
  std::map<std::u16string, int, std::less<>> table;
  int Frequency(std::u16string_view word) const override {
    const auto it = table.find(word);
    return it == table.end() ? 0 : it->second;
  }
  void MostFrequent(std::u16string_view prefix, int limit,
                    const std::function<void(std::u16string_view, int)>& visit) const override {
    std::vector<std::pair<int, std::u16string_view>> found;
    for (const auto& [word, weight] : table)
      if (word.starts_with(prefix)) found.emplace_back(-weight, word);
    std::sort(found.begin(), found.end());
    for (int i = 0; i < limit && i < static_cast<int>(found.size()); ++i)
      visit(found[i].second, -found[i].first);
  }
};

class FakeHistory final : public HistoryView {
 public:
  std::map<std::u16string, int, std::less<>> uses;
  std::map<std::pair<std::u16string, std::u16string>, int> pairs;
  WordUse Use(std::u16string_view word) const override {
    const auto it = uses.find(word);
    return {it == uses.end() ? 0 : it->second, 0};
  }
  int Follows(std::u16string_view previous, std::u16string_view word) const override {
    const auto it = pairs.find({std::u16string(previous), std::u16string(word)});
    return it == pairs.end() ? 0 : it->second;
  }
  void MostUsed(std::u16string_view prefix, int limit,
                const std::function<void(std::u16string_view)>& visit) const override {
    for (const auto& [word, count] : uses)
      if (word.starts_with(prefix) && limit-- > 0) visit(word);
  }
  void Followers(std::u16string_view previous, int limit,
                 const std::function<void(std::u16string_view)>& visit) const override {
    for (const auto& [pair, count] : pairs)
      if (pair.first == previous && limit-- > 0) visit(pair.second);
  }
};

TEST(Ranking, GathersFromEverySourceOnceBestFirst) {
  FakeFrequencies frequencies;
  frequencies.table = {{u"कम", 120}, {u"कर", 250}, {u"कल", 60}, {u"खा", 255}};
  FakeHistory history;
  history.uses = {{u"कलम", 9}};
  const Ranking ranking(&frequencies, &history);
  ListMatches matches;
  matches.Bundled = {u"कम", u"कमल", u"कल"};
  matches.Users = {u"कमला"};
  // The much-used word, the user's own word, then by frequency; the listed
  // word the table lacks last; nothing without the prefix.
  EXPECT_EQ(ranking.Rank(u"क", {}, matches, 9),
            (std::vector<std::u16string>{u"कलम", u"कमला", u"कर", u"कम", u"कल", u"कमल"}));
  EXPECT_EQ(ranking.Rank(u"क", {}, matches, 2), (std::vector<std::u16string>{u"कलम", u"कमला"}));
}

TEST(Ranking, ThePreviousWordLeads) {
  FakeFrequencies frequencies;
  frequencies.table = {{u"है", 255}, {u"हो", 200}};
  FakeHistory history;
  history.pairs = {{{u"कैसे", u"हो"}, 4}, {{u"कैसे", u"कहें"}, 1}};
  const Ranking ranking(&frequencies, &history);
  EXPECT_EQ(ranking.Rank(u"ह", u"कैसे", {}, 9).front(), u"हो");
  EXPECT_EQ(ranking.Rank(u"ह", {}, {}, 9).front(), u"है");
  // Before a letter of the next word: what followed it before, and only that.
  EXPECT_EQ(ranking.Rank({}, u"कैसे", {}, 9), (std::vector<std::u16string>{u"हो", u"कहें"}));
  EXPECT_TRUE(ranking.Rank({}, {}, {}, 9).empty());
  // Without views the lists' matches keep their order.
  const Ranking bare(nullptr, nullptr);
  ListMatches matches;
  matches.Bundled = {u"हम", u"हर"};
  EXPECT_EQ(bare.Rank(u"ह", {}, matches, 9), (std::vector<std::u16string>{u"हम", u"हर"}));
}

}  // namespace
}  // namespace lekhora
