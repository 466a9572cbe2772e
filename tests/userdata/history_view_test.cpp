#include "userdata/history_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "suggest/ranking.h"

namespace lekhora {
namespace {

using Clock = std::chrono::system_clock;

TEST(HistoryRanks, TheHistoryOrdersTheCandidates) {
  Clock::time_point now = Clock::time_point(std::chrono::hours(24 * 20000));
  WordHistoryOptions options;
  options.Now = [&now] { return now; };
  WordHistory history({}, options);
  for (int i = 0; i < 3; ++i) history.Record(u"आप", u"कैसे");
  history.Record(u"आप", u"कल");
  history.Record({}, u"कमल");
  now += std::chrono::hours(24 * 10);
  const HistoryRanks view(history, [&now] { return now; });

  EXPECT_EQ(view.Use(u"कैसे").Uses, 3);
  EXPECT_DOUBLE_EQ(view.Use(u"कैसे").DaysSinceUse, 10);
  EXPECT_EQ(view.Use(u"कब").Uses, 0);
  EXPECT_EQ(view.Follows(u"आप", u"कैसे"), 3);
  EXPECT_EQ(view.Follows(u"तुम", u"कैसे"), 0);

  const Ranking ranking(nullptr, &view);
  ListMatches matches;
  matches.Bundled = {u"कब", u"कमल"};
  // Used most first; after आप its usual follower; the unused listed word last.
  EXPECT_EQ(ranking.Rank(u"क", {}, matches, 9),
            (std::vector<std::u16string>{u"कैसे", u"कमल", u"कल", u"कब"}));
  EXPECT_EQ(ranking.Rank(u"क", u"आप", matches, 1), (std::vector<std::u16string>{u"कैसे"}));
  EXPECT_EQ(ranking.Rank({}, u"आप", {}, 9), (std::vector<std::u16string>{u"कैसे", u"कल"}));
  // Forgotten, a word is no candidate of the history any more, and the
  // other follower of आप leads.
  history.Forget(u"कैसे");
  EXPECT_EQ(ranking.Rank(u"क", u"आप", {}, 9), (std::vector<std::u16string>{u"कल", u"कमल"}));
}

// The view keeps what it found for a prefix and a word between keys: every
// change of the history must reach it all the same.
TEST(HistoryRanks, WhatTheViewKeepsFollowsTheHistory) {
  WordHistoryOptions options;
  const auto now = Clock::time_point(std::chrono::hours(24 * 20000));
  options.Now = [now] { return now; };
  WordHistory history({}, options);
  const HistoryRanks view(history, options.Now);
  const auto mostUsed = [&view](std::u16string_view prefix, int limit) {
    std::vector<std::u16string> words;
    view.MostUsed(prefix, limit, [&](std::u16string_view w) { words.emplace_back(w); });
    return words;
  };
  for (const char16_t* word : {u"कब", u"कल", u"कमल", u"कर"}) history.Record({}, word);
  history.Record({}, u"कल");
  // Equally used words in code-unit order.
  EXPECT_EQ(mostUsed(u"क", 2), (std::vector<std::u16string>{u"कल", u"कब"}));
  EXPECT_EQ(view.Use(u"कर").Uses, 1);
  EXPECT_EQ(view.Use(u"कैसे").Uses, 0);
  // A word outside the top, and a new word, rise into it with their uses.
  for (int i = 0; i < 3; ++i) history.Record({}, u"कर");
  for (int i = 0; i < 2; ++i) history.Record({}, u"कैसे");
  EXPECT_EQ(mostUsed(u"क", 2), (std::vector<std::u16string>{u"कर", u"कल"}));
  EXPECT_EQ(mostUsed(u"क", 3), (std::vector<std::u16string>{u"कर", u"कल", u"कैसे"}));
  EXPECT_EQ(view.Use(u"कर").Uses, 4);
  EXPECT_EQ(view.Use(u"कैसे").Uses, 2);
  // A prefix with fewer words than asked takes in a new one.
  EXPECT_EQ(mostUsed(u"कम", 5), (std::vector<std::u16string>{u"कमल"}));
  history.Record({}, u"कम");
  EXPECT_EQ(mostUsed(u"कम", 5), (std::vector<std::u16string>{u"कम", u"कमल"}));
  // Forgotten and cleared words are gone from what was kept.
  history.Forget(u"कर");
  EXPECT_EQ(mostUsed(u"क", 2), (std::vector<std::u16string>{u"कल", u"कैसे"}));
  EXPECT_EQ(view.Use(u"कर").Uses, 0);
  history.Clear();
  EXPECT_TRUE(mostUsed(u"क", 2).empty());
  EXPECT_EQ(view.Use(u"कल").Uses, 0);
}

}  // namespace
}  // namespace lekhora
