// Ranked candidates in a session: what it commits is learned and comes
// first, what follows what leads, and nothing is kept from a password field,
// a word the application commits itself, or a forgotten word.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/layout.h"
#include "ime/input_session.h"
#include "tests/ime/ranked_typing.h"
#include "userdata/word_ranking.h"

namespace lekhora {
namespace {

std::int64_t Uses(WordRanking& ranking, std::u16string_view word) {
  const HistoryEntry* entry = ranking.History().Snapshot().Word(word);
  return entry == nullptr ? 0 : entry->Count;
}

struct RankedSession : ::testing::Test {
  // No frequency table and a history in memory: the history alone ranks.
  WordRanking ranking{"/nonexistent", {}};
  InputSession s{MakeLayout(kPhoneticVimraLayout), MakeSharedWords({kaam, kaar, kaal})};
  void SetUp() override { s.SetRanking(&ranking); }
};

TEST_F(RankedSession, WhatItCommitsIsLearnedAndLeads) {
  EXPECT_EQ(TypeAll(s, "ka").candidates, (std::vector<std::u16string>{kaam, kaar, kaal}));
  EXPECT_EQ(TypeAll(s, "l ").commit, kaal + u" ");
  EXPECT_EQ(Uses(ranking, kaal), 1);
  EXPECT_EQ(s.PreviousWord(), kaal);
  EXPECT_EQ(TypeAll(s, "ka").candidates.front(), kaal);
  // Accepted from the list, a word is learned as well, after the one before.
  s.Key(NamedKey(ImeKey::Down, true));
  EXPECT_EQ(s.Key(NamedKey(ImeKey::Right, true)).commit, kaam);
  EXPECT_EQ(ranking.History().Snapshot().Pair(kaal, kaam)->Count, 1);
  // After काल its usual follower comes first, though काल is used as often.
  TypeAll(s, " kal ");
  EXPECT_EQ(TypeAll(s, "ka").candidates.front(), kaam);
}

TEST_F(RankedSession, NothingIsKeptThatTheUserDidNotCommitHere) {
  // A password field: the keys go through and nothing is learned.
  s.SetPlainTyping(true);
  EXPECT_FALSE(TypeAll(s, "kal ").consumed);
  s.SetPlainTyping(false);
  EXPECT_EQ(Uses(ranking, kaal), 0);
  // A word the application commits itself when the focus leaves.
  TypeAll(s, "kal");
  s.FocusOut();
  EXPECT_EQ(Uses(ranking, kaal), 0);
  EXPECT_TRUE(s.PreviousWord().empty());
  // Learning switched off: ranked, not stored.
  ranking.SetLearning(false);
  TypeAll(s, "kal ");
  EXPECT_EQ(Uses(ranking, kaal), 0);
  EXPECT_EQ(s.PreviousWord(), kaal);
}

TEST_F(RankedSession, ShiftDeleteForgetsTheHighlightedWord) {
  TypeAll(s, "kal kal ");
  EXPECT_EQ(TypeAll(s, "ka").candidates.front(), kaal);
  const SessionActions after = s.Key(NamedKey(ImeKey::Delete, true));
  EXPECT_TRUE(after.consumed);
  EXPECT_EQ(Uses(ranking, kaal), 0);
  // Still a word of the list, no longer first; the word typed stays.
  EXPECT_EQ(after.candidates, (std::vector<std::u16string>{kaam, kaar, kaal}));
  EXPECT_EQ(after.preedit, u"का");
}

}  // namespace
}  // namespace lekhora
