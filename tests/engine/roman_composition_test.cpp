// Typing in Latin letters: what each key commits, what is learned and what
// the next word follows, with a word source that answers from a table.

#include "engine/roman_composition.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace lekhora {
namespace {

struct Source {
  std::map<std::u16string, std::vector<std::u16string>> words = {
      {u"k", {u"क", u"के", u"की"}},
      {u"kai", {u"कई", u"काई"}},
      {u"kaise", {u"कैसे", u"कैसी", u"केस"}},
      {u"ho", {u"हो", u"हों"}},
  };
  std::vector<std::pair<std::u16string, std::u16string>> asked;  // letters, previous
  std::vector<std::pair<std::u16string, std::u16string>> learned;

  RomanComposition Make() {
    return RomanComposition(
        [this](std::u16string_view letters, std::u16string_view previous, int count) {
          asked.emplace_back(letters, previous);
          std::vector<std::u16string> found;
          if (const auto it = words.find(std::u16string(letters)); it != words.end())
            found = it->second;
          // A source may offer more than it is asked for.
          if (letters == u"many")
            for (int i = 0; i < count + 5; ++i)
              found.push_back(std::u16string(1, static_cast<char16_t>(u'क' + i)));
          return found;
        },
        [this](std::u16string_view word, std::u16string_view previous) {
          learned.emplace_back(word, previous);
        });
  }
};

RomanStep TypeAll(RomanComposition& c, std::u16string_view keys) {
  RomanStep last;
  for (char16_t k : keys) last = c.Type(k);
  return last;
}

TEST(RomanComposition, ABreakCommitsTheHighlightedWordWithItsKeyAndTheNextFollowsIt) {
  Source source;
  RomanComposition c = source.Make();
  EXPECT_EQ(TypeAll(c, u"kaise").commit, u"");
  EXPECT_TRUE(c.Composing());
  EXPECT_EQ(c.Letters(), u"kaise");
  EXPECT_EQ(c.Candidates().front(), u"कैसे");
  EXPECT_EQ(c.Highlight(), 0);
  const RomanStep space = c.Type(u' ');
  EXPECT_EQ(space.commit, u"कैसे ");
  EXPECT_TRUE(space.consumed);
  EXPECT_FALSE(c.Composing());
  EXPECT_TRUE(c.Candidates().empty());
  // The next word is asked for after the one the space ended, and learned so.
  TypeAll(c, u"ho");
  EXPECT_EQ(source.asked.back(), (std::pair<std::u16string, std::u16string>{u"ho", u"कैसे"}));
  EXPECT_EQ(c.Type(u'?').commit, u"हो?");
  EXPECT_EQ(source.learned,
            (std::vector<std::pair<std::u16string, std::u16string>>{{u"कैसे", u""}, {u"हो", u"कैसे"}}));
  // Punctuation parts the words.
  EXPECT_TRUE(c.Previous().empty());
  // Not composing, the key is the text's own.
  const RomanStep passed = c.Type(u' ');
  EXPECT_FALSE(passed.consumed);
  EXPECT_EQ(passed.commit, u"");
}

TEST(RomanComposition, TheHighlightMovesAndDigitsPickOnThePageShown) {
  Source source;
  RomanComposition c = source.Make();
  TypeAll(c, u"kaise");
  c.MoveHighlight(1);
  EXPECT_EQ(c.Highlight(), 1);
  c.MoveHighlight(10);
  EXPECT_EQ(c.Highlight(), 2);
  c.MoveHighlight(-10);
  EXPECT_EQ(c.Highlight(), 0);
  c.MoveHighlight(2);
  EXPECT_EQ(c.Type(u'.').commit, u"केस.");
  // A digit picks the word alone; the next word follows it.
  TypeAll(c, u"kai");
  EXPECT_EQ(c.Type(u'2').commit, u"काई");
  EXPECT_EQ(c.Previous(), u"काई");
  // A digit past the candidates is typed after the highlighted word.
  TypeAll(c, u"kai");
  EXPECT_EQ(c.Type(u'7').commit, u"कई7");
  // The source's extra words are not kept; digits count on the second page
  // once the highlight is there.
  TypeAll(c, u"many");
  EXPECT_EQ(c.Candidates().size(), static_cast<std::size_t>(RomanComposition::kCandidates));
  c.MoveHighlight(RomanComposition::kPage);
  EXPECT_EQ(c.Type(u'1').commit,
            std::u16string(1, static_cast<char16_t>(u'क' + RomanComposition::kPage)));
  // Counted from the highlight, 1 is the highlighted word and 2 the next.
  c.SetDigitsFromHighlight(true);
  TypeAll(c, u"many");
  c.MoveHighlight(3);
  EXPECT_EQ(c.DigitTarget(1), 3u);
  EXPECT_EQ(c.Type(u'2').commit, std::u16string(1, static_cast<char16_t>(u'क' + 4)));
}

TEST(RomanComposition, EscapeAndUnknownLettersKeepTheLatinAndLearnNothing) {
  Source source;
  RomanComposition c = source.Make();
  TypeAll(c, u"Hello");
  EXPECT_TRUE(c.Candidates().empty());
  EXPECT_EQ(c.Highlight(), -1);
  EXPECT_EQ(c.Chosen(), u"Hello");
  EXPECT_EQ(c.Type(u' ').commit, u"Hello ");
  TypeAll(c, u"kaise");
  const RomanStep escaped = c.Escape();
  EXPECT_EQ(escaped.commit, u"kaise");
  EXPECT_TRUE(escaped.consumed);
  EXPECT_TRUE(source.learned.empty());
  EXPECT_TRUE(c.Previous().empty());
  EXPECT_FALSE(c.Escape().consumed);
}

TEST(RomanComposition, BackspaceEditsTheLettersAndThenTheText) {
  Source source;
  RomanComposition c = source.Make();
  TypeAll(c, u"kaisex");
  EXPECT_TRUE(c.Candidates().empty());
  EXPECT_TRUE(c.Backspace().consumed);
  EXPECT_EQ(c.Letters(), u"kaise");
  EXPECT_EQ(c.Candidates().front(), u"कैसे");
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(c.Backspace().consumed);
  EXPECT_FALSE(c.Composing());
  EXPECT_TRUE(c.Candidates().empty());
  EXPECT_FALSE(c.Backspace().consumed);
  // "~" is a letter only inside a word.
  EXPECT_FALSE(c.Type(u'~').consumed);
  TypeAll(c, u"ho~");
  EXPECT_EQ(c.Letters(), u"ho~");
}

TEST(RomanComposition, LeavingCommitsAndLetsTheKeyThroughAndNothingTypedIsLost) {
  Source source;
  RomanComposition c = source.Make();
  TypeAll(c, u"kaise");
  const RomanStep left = c.Leave();
  EXPECT_EQ(left.commit, u"कैसे");
  EXPECT_FALSE(left.consumed);
  EXPECT_TRUE(c.Previous().empty());
  EXPECT_EQ(c.Leave().commit, u"");
  // The layout changes: the word is committed alone.
  TypeAll(c, u"ho");
  EXPECT_EQ(c.CommitNow().commit, u"हो");
  // A focus change leaves the word to the application.
  TypeAll(c, u"kaise");
  c.Forget();
  EXPECT_FALSE(c.Composing());
  EXPECT_TRUE(c.Previous().empty());
  // A run of letters longer than a word goes out as typed, every letter of it.
  std::u16string run(RomanComposition::kMaxLetters + 3, u'q');
  std::u16string committed;
  for (char16_t k : run) committed += c.Type(k).commit;
  committed += c.Type(u' ').commit;
  EXPECT_EQ(committed, run + u" ");
}

}  // namespace
}  // namespace lekhora
