#include "suggest/candidates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/memory_text_box.h"
#include "suggest/word_lists.h"

namespace lekhora {
namespace {

using Scope = CandidateModel::Scope;
using Rows = std::vector<std::u16string_view>;

// words, then the empty entry after the final CR LF.
WordLists Lists(std::vector<std::u16string> words) {
  WordLists lists;
  lists.WordCount = static_cast<std::int16_t>(words.size());
  words.emplace_back();
  lists.WordList = WordArray(words);
  return lists;
}

TEST(FindPrefix, TheMatchingRangeOrWhereThePrefixWouldStand) {
  const WordLists lists = Lists({u"a", u"ab", u"abc", u"abd", u"b"});
  const PrefixRange ab = FindPrefix(lists, u"ab");
  EXPECT_EQ(ab.First, 1);
  EXPECT_EQ(ab.Last, 4);
  const PrefixRange abb = FindPrefix(lists, u"abb");
  EXPECT_EQ(abb.First, 2);  // before abc
  EXPECT_EQ(abb.Size(), 0);
  EXPECT_EQ(FindPrefix(lists, u"ab", 2).First, 2);
  // Never from the searched entries' end on, nor before the list.
  EXPECT_EQ(FindPrefix(lists, u"", 9).First, 5);
  EXPECT_EQ(FindPrefix(lists, u"", -3).Size(), 5);
}

TEST(CandidateModel, MergesTheSourcesByScoreListingEachWordOnce) {
  const WordLists bundled = Lists({u"ab", u"abc", u"abd", u"b"});
  const WordLists user = Lists({u"a", u"abd", u"abz"});
  const WordLists history = Lists({u"abc", u"abz"});
  CandidateModel model(Scope::Matches);
  model.AddSource(bundled, 0);
  model.AddSource(user, 2);
  model.AddSource(history, 1);
  EXPECT_EQ(model.Search(u"ab"), 0);
  EXPECT_EQ(model.Count(), 4);
  const CandidatePage& page = model.Page(9);
  EXPECT_EQ(page.Words, (Rows{u"abd", u"abz", u"abc", u"ab"}));
  EXPECT_EQ(page.Highlight, 0);
  // A page starting past the first source's words.
  model.SetHighlight(3);
  EXPECT_EQ(model.Page(2).Words, (Rows{u"ab"}));

  MemoryTextBox box(u"x ab");
  EXPECT_EQ(model.Accept(box, 4, false, u"ab"), u"ab");
  model.SetHighlight(2);
  EXPECT_EQ(model.Accept(box, 4, false, u"ab"), u"abc");
  EXPECT_EQ(box.Text(), u"x abc");

  EXPECT_EQ(model.Search(u"q"), -1);
  EXPECT_EQ(model.Count(), 0);
  EXPECT_TRUE(model.Page(9).Words.empty());
  EXPECT_EQ(model.Accept(box, 5, false, u"q"), u"");
  // Nothing typed lists nothing, not the whole lists.
  EXPECT_EQ(model.Search(u""), -1);
  EXPECT_EQ(model.Count(), 0);
}

TEST(CandidateModel, TheHighlightStopsAtTheEndsAndPagesFollowIt) {
  std::vector<std::u16string> words;
  for (char16_t c = u'a'; c < u'a' + 20; ++c) words.push_back(std::u16string(u"w") + c);
  const WordLists lists = Lists(words);
  CandidateModel model(Scope::Matches);
  model.AddSource(lists);
  model.Search(u"w");
  model.ScrollUp();
  EXPECT_EQ(model.Highlight(), 0);
  EXPECT_EQ(model.Page(9).Words.size(), 9u);
  model.SetHighlight(8);
  EXPECT_EQ(model.Page(9).First, 0);
  model.ScrollDown();
  const CandidatePage& next = model.Page(9);
  EXPECT_EQ(next.First, 9);
  EXPECT_EQ(next.Highlight, 0);
  EXPECT_EQ(next.Words.front(), u"wj");
  model.SetHighlight(19);
  model.ScrollDown();
  model.SetHighlight(20);
  model.SetHighlight(-1);
  EXPECT_EQ(model.Highlight(), 19);
  EXPECT_EQ(model.Page(9).Words, (Rows{u"wt"}));
  model.ScrollUp();
  EXPECT_EQ(model.Page(9).Words, (Rows{u"ws", u"wt"}));
}

TEST(CandidateModel, TheWholeListWindowKeepsItsRowsAtTheListsEnds) {
  const WordLists lists = Lists({u"a", u"b", u"c"});
  CandidateModel model(Scope::WholeList);
  model.AddSource(lists);
  model.Search(u"a");
  const CandidatePage& first = model.Window(2, 8);
  EXPECT_EQ(first.Words, (Rows{u"a", u"b", u"c", u""}));
  EXPECT_EQ(first.Highlight, 0);
  // Past the start: no row is the current one, and Accept only selects.
  model.ScrollUp();
  EXPECT_EQ(model.Window(2, 8).Highlight, -1);
  MemoryTextBox box(u"a");
  EXPECT_EQ(model.Accept(box, 1, false, u"a"), u"");
  EXPECT_EQ(box.SelLength(), 1);
  // No match after the last word: the gap row, then the empty entry.
  model.Search(u"d");
  const CandidatePage& gap = model.Window(2, 8);
  EXPECT_FALSE(gap.Matched);
  EXPECT_EQ(gap.Words, (Rows{u"b", u"c", u"", u""}));
  EXPECT_EQ(gap.Highlight, 2);
}

}  // namespace
}  // namespace lekhora
