#include "userdata/history_view.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace lekhora
