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

TEST_F(RankedSession, TheNuktaKeyGoesOnWithTheWord) {
  // क़ीमत: "!" adds the nukta to क, and the word is composed, committed and
  // learned whole, not as क़ and a word of its own starting with a vowel sign.
  const std::u16string qeemat = u"\u0915\u093C\u0940\u092E\u0924";
  const SessionActions typed = TypeAll(s, "k!Imt");
  EXPECT_EQ(typed.commit, u"");
  EXPECT_EQ(typed.preedit, qeemat);
  EXPECT_EQ(TypeAll(s, " ").commit, qeemat + u" ");
  EXPECT_EQ(Uses(ranking, qeemat), 1);
  EXPECT_EQ(s.PreviousWord(), qeemat);
  // Its candidates stay past the nukta.
  const SessionActions again = TypeAll(s, "k!I");
  ASSERT_FALSE(again.candidates.empty());
  EXPECT_EQ(again.candidates.front(), qeemat);
  // The double quote still ends the word and goes out with it.
  s.Reset();
  EXPECT_EQ(TypeAll(s, "kal\"").commit.substr(0, 3), kaal);
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

TEST_F(RankedSession, TheUsualFollowersAreOfferedBeforeALetter) {
  // Nothing learned yet: a space offers nothing.
  EXPECT_TRUE(TypeAll(s, "kal ").candidates.empty());
  TypeAll(s, "kam kal kar kal kam ");
  // After काल: काम and कार each followed it once, काम first in code units;
  // after काम, काल followed it.
  EXPECT_EQ(s.Shown().candidates, (std::vector<std::u16string>{kaal}));
  const SessionActions offered = TypeAll(s, "kal ");
  EXPECT_EQ(offered.candidates, (std::vector<std::u16string>{kaam, kaar}));
  EXPECT_TRUE(offered.preedit.empty());
  // Shift+Down moves, Shift+Space commits the word alone and learns it.
  EXPECT_EQ(s.Key(NamedKey(ImeKey::Down, true)).highlight, 1);
  EXPECT_EQ(s.Key(CharacterKey(U' ', true)).commit, kaar);
  EXPECT_EQ(ranking.History().Snapshot().Pair(kaal, kaar)->Count, 2);
  EXPECT_EQ(s.PreviousWord(), kaar);
  // A digit types a number rather than picking an offered word, and a
  // letter starts the next word with its own candidates.
  EXPECT_EQ(TypeAll(s, " kal ").candidates.size(), 2U);
  EXPECT_TRUE(TypeAll(s, "2").candidates.empty());
  s.Reset();
  TypeAll(s, "kal ");
  const SessionActions typed = TypeAll(s, "k");
  EXPECT_EQ(typed.preedit, u"क");
  // Escape closes the offer; a click commits an offered word.
  TypeAll(s, " kal ");
  EXPECT_TRUE(s.Key(NamedKey(ImeKey::Escape)).candidates.empty());
  const std::vector<std::u16string> again = TypeAll(s, "kal ").candidates;
  ASSERT_FALSE(again.empty());
  EXPECT_EQ(s.ClickCandidate(0).commit, again.front());
  // Nothing is offered in a password field or after the focus left.
  TypeAll(s, " ");
  EXPECT_TRUE(s.FocusOut().candidates.empty());
  s.SetPlainTyping(true);
  EXPECT_TRUE(TypeAll(s, "kal ").candidates.empty());
}

}  // namespace
}  // namespace lekhora
