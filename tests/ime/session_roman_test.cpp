// An input session typing IntelligentRoman: the preedit shows the word a
// break would commit, the letters stand beside the candidates, and what is
// committed is learned as a table layout's words are.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/layout.h"
#include "ime/input_session.h"
#include "tests/ime/ranked_typing.h"
#include "userdata/word_ranking.h"

namespace lekhora {
namespace {

const std::u16string kaise = u"कैसे", kaisi = u"कैसी", ho = u"हो";

std::vector<std::u16string> Words(std::u16string_view letters) {
  static const std::map<std::u16string, std::vector<std::u16string>, std::less<>> table = {
      {u"kaise", {kaise, kaisi}}, {u"ho", {ho, u"हों"}}, {u"h", {u"ह", ho}}};
  const auto found = table.find(letters);
  return found == table.end() ? std::vector<std::u16string>{} : found->second;
}

struct RomanSession : ::testing::Test {
  WordRanking ranking{"/nonexistent", {}};
  InputSession s{MakeLayout(kIntelligentRomanLayout), MakeSharedWords({kaam})};
  std::vector<std::u16string> previousAsked;
  void SetUp() override {
    s.SetRanking(&ranking);
    s.SetRomanSource([this](std::u16string_view letters, std::u16string_view previous, int) {
      previousAsked.emplace_back(previous);
      return Words(letters);
    });
  }
  std::int64_t Uses(std::u16string_view word) {
    const HistoryEntry* entry = ranking.History().Snapshot().Word(word);
    return entry == nullptr ? 0 : entry->Count;
  }
};

TEST_F(RomanSession, KaiseHoBecomesHindiAndIsLearned) {
  ASSERT_TRUE(s.Roman());
  const SessionActions typed = TypeAll(s, "kaise");
  EXPECT_TRUE(typed.consumed);
  EXPECT_EQ(typed.preedit, kaise);
  EXPECT_EQ(typed.caret, 4);
  EXPECT_EQ(typed.auxiliary, u"kaise");
  EXPECT_EQ(typed.candidates, (std::vector<std::u16string>{kaise, kaisi}));
  EXPECT_EQ(typed.highlight, 0);
  EXPECT_EQ(TypeAll(s, " ").commit, kaise + u" ");
  const SessionActions second = TypeAll(s, "ho ");
  EXPECT_EQ(second.commit, ho + u" ");
  EXPECT_TRUE(second.preedit.empty());
  EXPECT_TRUE(second.candidates.empty());
  EXPECT_EQ(previousAsked.back(), kaise);
  EXPECT_EQ(Uses(kaise), 1);
  EXPECT_EQ(ranking.History().Snapshot().Pair(kaise, ho)->Count, 1);
  EXPECT_EQ(s.PreviousWord(), ho);
}

TEST_F(RomanSession, TheHighlightDigitsEscapeAndBackspace) {
  TypeAll(s, "kaise");
  // The arrows move the highlight with or without Shift; the preedit follows.
  EXPECT_EQ(s.Key(NamedKey(ImeKey::Down)).preedit, kaisi);
  EXPECT_EQ(s.Key(NamedKey(ImeKey::Up, true)).highlight, 0);
  EXPECT_EQ(s.Key(NamedKey(ImeKey::PageDown)).preedit, kaisi);
  EXPECT_EQ(TypeAll(s, ".").commit, kaisi + u".");
  // A digit picks from the page; Escape keeps the letters, an English word.
  TypeAll(s, "kaise");
  EXPECT_EQ(TypeAll(s, "2").commit, kaisi);
  EXPECT_EQ(TypeAll(s, "hello").preedit, u"hello");
  const SessionActions escaped = s.Key(NamedKey(ImeKey::Escape));
  EXPECT_EQ(escaped.commit, u"hello");
  EXPECT_TRUE(escaped.consumed);
  EXPECT_EQ(Uses(u"hello"), 0);
  // Backspace edits the letters, then is the application's.
  TypeAll(s, "hox");
  EXPECT_EQ(s.Key(NamedKey(ImeKey::BackSpace)).preedit, ho);
  s.Key(NamedKey(ImeKey::BackSpace));
  s.Key(NamedKey(ImeKey::BackSpace));
  EXPECT_FALSE(s.Key(NamedKey(ImeKey::BackSpace)).consumed);
  // Not composing, digits and punctuation are the application's.
  EXPECT_FALSE(TypeAll(s, "7").consumed);
  EXPECT_FALSE(TypeAll(s, ",").consumed);
}

TEST_F(RomanSession, KeysThatLeaveCommitAndNothingIsLost) {
  TypeAll(s, "kaise");
  const SessionActions enter = s.Key(NamedKey(ImeKey::Return));
  EXPECT_EQ(enter.commit, kaise);
  EXPECT_FALSE(enter.consumed);
  // A command key commits too; a character of another keyboard follows the word.
  TypeAll(s, "ho");
  ImeKeyEvent ctrl = CharacterKey(U'v');
  ctrl.ctrl = true;
  EXPECT_EQ(s.Key(ctrl).commit, ho);
  TypeAll(s, "ho");
  EXPECT_EQ(s.Key(CharacterKey(U'\U0001F600')).commit, ho + u"\U0001F600");
  // Another layout: the word is committed before the keys change meaning.
  TypeAll(s, "kaise");
  EXPECT_EQ(s.SetLayout(MakeLayout(kPhoneticVimraLayout)).commit, kaise);
  EXPECT_FALSE(s.Roman());
  EXPECT_EQ(TypeAll(s, "ka").preedit, u"का");
  EXPECT_EQ(s.SetLayout(MakeLayout(kIntelligentRomanLayout)).commit, u"का");
  // The focus leaves: the application has the word shown; nothing is learned.
  TypeAll(s, "ho");
  const std::int64_t before = Uses(ho);
  EXPECT_TRUE(s.FocusOut().preedit.empty());
  EXPECT_EQ(Uses(ho), before);
}

TEST_F(RomanSession, PasswordsAndForgottenWordsAreNotKept) {
  s.SetPlainTyping(true);
  EXPECT_FALSE(TypeAll(s, "kaise ").consumed);
  s.SetPlainTyping(false);
  EXPECT_EQ(Uses(kaise), 0);
  TypeAll(s, "kaise ");
  EXPECT_EQ(Uses(kaise), 1);
  TypeAll(s, "kaise");
  const SessionActions forgot = s.Key(NamedKey(ImeKey::Delete, true));
  EXPECT_TRUE(forgot.consumed);
  EXPECT_EQ(forgot.preedit, kaise);
  EXPECT_EQ(Uses(kaise), 0);
  // Without a source the letters are all there is.
  EXPECT_EQ(s.Key(NamedKey(ImeKey::Escape)).commit, u"kaise");
  s.SetRomanSource({});
  EXPECT_EQ(TypeAll(s, "kaise ").commit, u"kaise ");
}

}  // namespace
}  // namespace lekhora
