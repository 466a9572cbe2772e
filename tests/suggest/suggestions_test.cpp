#include "suggest/suggestions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "engine/memory_text_box.h"
#include "engine/typing_state.h"
#include "suggest/suggestion_view.h"
#include "suggest/word_lists.h"
#include "tests/engine/caret.h"
#include "tests/suggest/letters.h"

namespace lekhora {
namespace {

using testing::Caret;
using testing::CaretOf;

using namespace testing;

const std::u16string kKam = kKa + kMa;  // kam
const std::u16string kKamal = kKam + kLa;
const std::u16string kKhaa = kKha + kAa;

WordLists MakeLists(const std::vector<std::u16string>& words, int count) {
  WordLists lists;
  lists.WordList = WordArray(words);
  lists.WordCount = static_cast<std::int16_t>(count);
  return lists;
}

// w0 .. w<n-1>, then the empty entry after the final CR LF.
WordLists Numbered(int n) {
  std::vector<std::u16string> words;
  for (int i = 0; i < n; ++i) {
    std::string digits = std::to_string(i);
    words.push_back(u"w" + std::u16string(digits.begin(), digits.end()));
  }
  words.emplace_back();
  return MakeLists(words, n);
}

struct Fixture {
  explicit Fixture(WordLists word_lists) : lists(std::move(word_lists)) {}
  WordLists lists;
  TypingState state;
  StringSuggestionView view;
  Suggestions suggestions{state, lists, view};

  std::int16_t Search(const std::u16string& prefix) {
    state.WordPrefix = prefix;
    return suggestions.SearchList();
  }
};

Fixture SmallList() {
  return Fixture(MakeLists({kKa, kKam, kKamal, kKhaa, u""}, 4));
}

TEST(SearchList, FindsTheFirstMatchBelowTheProbeThatHits) {
  Fixture f = SmallList();
  EXPECT_EQ(f.Search(kKa), 0);  // the probe at 1 matches; the first match is 0
  EXPECT_EQ(f.suggestions.SuggestionIndex(), 0);
  EXPECT_EQ(f.Search(kKamal), 2);  // the probe at 1 is less; the one at 2 matches
  EXPECT_EQ(f.Search(kKha), 3);
  EXPECT_EQ(f.Search(u""), 0);  // everything matches an empty prefix
}

TEST(SearchList, NotFoundLeavesNoSuggestionAtThePlaceOfThePrefix) {
  Fixture f = SmallList();
  f.suggestions.SetSuggestionIndex(2);
  EXPECT_TRUE(f.suggestions.HasSuggestion());
  EXPECT_EQ(f.Search(kGa), -1);
  EXPECT_FALSE(f.suggestions.HasSuggestion());
  EXPECT_EQ(f.suggestions.SuggestionIndex(), 4);  // after kha
  // Longer than every entry it shares units with: between kamal and kha.
  EXPECT_EQ(f.Search(kKamal + kLa), -1);
  EXPECT_EQ(f.suggestions.SuggestionIndex(), 3);
  EXPECT_EQ(f.Search(kKa), 0);
  EXPECT_TRUE(f.suggestions.HasSuggestion());
}

TEST(SearchList, NothingMatchingMarksNothingAndAcceptsNothing) {
  Fixture f = SmallList();
  f.Search(kKa);
  f.suggestions.ShowSuggestions();
  f.Search(kKamal + kLa);
  f.suggestions.ShowSuggestions();
  EXPECT_EQ(f.view.MainCaption(), kNoMatchCaption);
  // An empty line where the typed word would stand, between kamal and kha.
  EXPECT_EQ(f.view.TipText(), kKam + u"\r\n" + kKamal + u"\r\n\r\n" + kKhaa + u"\r\n\r\n");

  // Shift+Space typed its space; the word and the space stay as typed.
  f.state.WordPrefix = kKamal + kLa;
  const std::u16string typed = u"x " + kKamal + kLa + u" ";
  MemoryTextBox box(typed);
  const int caret = static_cast<int>(typed.size());
  box.SetSelStart(caret);
  EXPECT_EQ(f.suggestions.Accept(box, caret, true), u"");
  EXPECT_EQ(box.Text(), typed);
  EXPECT_EQ(CaretOf(box), (Caret{caret, 0}));
}

TEST(SearchList, AfterNothingMatchedAScrollPicksANeighbourToAccept) {
  Fixture f = SmallList();
  f.Search(kKamal + kLa);
  f.suggestions.ScrollDown();  // the first word after the gap
  EXPECT_TRUE(f.suggestions.HasSuggestion());
  EXPECT_EQ(f.suggestions.SuggestionIndex(), 3);
  EXPECT_EQ(f.view.MainCaption(), u" " + kKhaa);
  f.Search(kKamal + kLa);
  f.suggestions.ScrollUp();  // the last word before it
  EXPECT_EQ(f.suggestions.SuggestionIndex(), 2);
  EXPECT_EQ(f.view.MainCaption(), u" " + kKamal);

  f.state.WordPrefix = kKamal + kLa;
  MemoryTextBox box(kKamal + kLa);
  EXPECT_EQ(f.suggestions.Accept(box, 4, false), kKamal);
  EXPECT_EQ(box.Text(), kKamal);

  // After the last word comes the list's empty entry, which is no word: an
  // accept there keeps the typed word instead of deleting it.
  f.Search(kGa);
  f.suggestions.ScrollDown();
  EXPECT_EQ(f.suggestions.SuggestionIndex(), 4);
  f.state.WordPrefix = kGa;
  MemoryTextBox last(kGa + u" ");
  last.SetSelStart(2);
  EXPECT_EQ(f.suggestions.Accept(last, 2, true), u"");
  EXPECT_EQ(last.Text(), kGa + u" ");
  EXPECT_EQ(last.SelStart(), 2);
  EXPECT_EQ(last.SelLength(), 0);
}

TEST(SearchList, NeverLooksBelowSearchStart) {
  Fixture f = SmallList();
  f.state.SearchStart = 1;
  EXPECT_EQ(f.Search(kKa), 1);
  f.state.SearchStart = 2;
  EXPECT_EQ(f.Search(kKam), 2);
  EXPECT_EQ(f.Search(kKa + kKa), 1);  // not found: SearchStart - 1
}

TEST(SearchList, NeverFindsTheEntriesFromWordCountOn) {
  // Without a final CR LF the last word is listed but not searched.
  Fixture f(MakeLists({kKa, kKam, kKhaa}, 2));
  EXPECT_EQ(f.Search(kKha), -1);
  for (int count : {0, -1}) {
    Fixture empty(MakeLists({kKa, u""}, count));
    EXPECT_EQ(empty.Search(kKa), -1);
    EXPECT_EQ(empty.Search(u""), -1);
  }
  Fixture none(MakeLists({}, -1));
  EXPECT_EQ(none.Search(u""), -1);
  // A count larger than the list (lists put together by hand) stays inside it.
  Fixture wrong(MakeLists({kKa, kKam}, 30000));
  EXPECT_EQ(wrong.Search(kKam), 1);
  EXPECT_EQ(wrong.Search(kKha), -1);
}

TEST(SearchList, ComparesByCodeUnitsNotByLocale) {
  // U+0905 sorts before U+0915, and U+FB01 after both: plain unit order.
  Fixture f(MakeLists({u"\u0905", u"\u0915", u"\uFB01", u""}, 3));
  EXPECT_EQ(f.Search(u"\uFB01"), 2);
  EXPECT_EQ(f.Search(u"\u0905"), 0);
}

TEST(SearchList, FindsTheFirstOfManySharedPrefixesInAFullList) {
  // w00000 .. w32766, in code-unit order, and the empty entry.
  std::vector<std::u16string> words;
  for (int i = 0; i < 32767; ++i) {
    std::u16string word = u"w00000";
    for (int at = 5, v = i; at > 0; --at, v /= 10) word[at] = static_cast<char16_t>(u'0' + v % 10);
    words.push_back(word);
  }
  words.emplace_back();
  Fixture f(MakeLists(std::move(words), 32767));
  EXPECT_EQ(f.Search(u"w"), 0);
  EXPECT_EQ(f.Search(u"w0001"), 10);
  EXPECT_EQ(f.Search(u"w3"), 30000);
  EXPECT_EQ(f.Search(u"w32766"), 32766);
  EXPECT_EQ(f.Search(u"w32767"), -1);
}

TEST(SearchList, ComparesTheTypedPrefixInTheListsNormalForm) {
  // The list holds za as ja and nukta; U+095B typed is the same letter.
  const std::u16string ja = u"\u091C", nukta = u"\u093C", virama = u"\u094D";
  const std::u16string za = ja + nukta;
  Fixture f(MakeLists({ja, za, za + kAa, za + virama + kMa, ja + kAa, kMa, u""}, 6));
  EXPECT_EQ(f.Search(u"\u095B"), 1);
  EXPECT_EQ(f.Search(za), 1);
  // A nukta typed after the virama is the same text as one before it.
  EXPECT_EQ(f.Search(ja + virama + nukta), 3);
  EXPECT_EQ(f.Search(u"\u095B" + virama), 3);
  EXPECT_EQ(f.Search(ja), 0);
  // The prefix itself is left as typed: Accept replaces its one unit.
  f.state.WordPrefix = u"\u095B\u093E";
  EXPECT_EQ(f.suggestions.SearchList(), 2);
  EXPECT_EQ(f.state.WordPrefix, u"\u095B\u093E");
  MemoryTextBox box(u"\u095B\u093E ");
  f.suggestions.Accept(box, 3, true);
  EXPECT_EQ(box.Text(), za + kAa);
}

// The search as it was first written: bisection to any match, then a walk
// down over the entries that share the prefix. Kept as the reference that the
// second bisection must agree with.
std::int16_t WalkDownReference(const WordLists& lists, std::u16string_view prefix, int start) {
  const auto starts_with = [&](int i) {
    return lists.WordList[i].substr(0, prefix.size()) == prefix;
  };
  const int last = std::min(lists.WordList.size(), std::max<int>(lists.WordCount, 0));
  int low = std::max(start, 0);
  int high = last - 1;
  while (low <= high) {
    int mid = low + (high - low) / 2;
    const int order = lists.WordList[mid].substr(0, prefix.size()).compare(prefix);
    if (order == 0) {
      while (mid - 1 >= std::max(start, 0) && starts_with(mid - 1)) --mid;
      return static_cast<std::int16_t>(mid);
    }
    if (order < 0)
      low = mid + 1;
    else
      high = mid - 1;
  }
  return static_cast<std::int16_t>(start - 1);
}

TEST(SearchList, AgreesWithTheWalkDownOnRandomSortedLists) {
  // Short words over three letters give long runs of shared prefixes and
  // duplicates; counts and starts go past both ends of the list.
  std::mt19937 random(4);
  const std::u16string letters = kKa + kKha + kMa;
  std::uniform_int_distribution<std::size_t> letter(0, letters.size() - 1);
  std::uniform_int_distribution<int> word_length(0, 4);
  for (int round = 0; round < 400; ++round) {
    std::vector<std::u16string> words(std::uniform_int_distribution<int>(0, 60)(random));
    for (std::u16string& word : words)
      for (int n = word_length(random); n > 0; --n) word += letters[letter(random)];
    std::sort(words.begin(), words.end());
    const int size = static_cast<int>(words.size());
    const int count = std::uniform_int_distribution<int>(-1, size + 2)(random);
    Fixture f(MakeLists(std::move(words), count));
    for (int probe = 0; probe < 30; ++probe) {
      std::u16string prefix;
      for (int n = word_length(random); n > 0; --n) prefix += letters[letter(random)];
      f.state.SearchStart =
          static_cast<std::int16_t>(std::uniform_int_distribution<int>(-2, size + 1)(random));
      f.suggestions.SetSuggestionIndex(-7);
      const std::int16_t expected = WalkDownReference(f.lists, prefix, f.state.SearchStart);
      ASSERT_EQ(f.Search(prefix), expected) << "round " << round << " probe " << probe;
      if (expected < f.state.SearchStart)
        EXPECT_FALSE(f.suggestions.HasSuggestion());
      else
        EXPECT_EQ(f.suggestions.SuggestionIndex(), expected);
    }
  }
}

TEST(ShowSuggestions, MarksTheCurrentWordAndListsItsNeighbourhood) {
  Fixture f = SmallList();
  f.Search(kKa);
  f.suggestions.ShowSuggestions();
  EXPECT_EQ(f.view.MainCaption(), u" " + kKa);
  // The empty last entry is inside the list, so it gives an empty line.
  EXPECT_EQ(f.view.TipText(),
            u"<<< " + kKa + u" >>>\r\n" + kKam + u"\r\n" + kKamal + u"\r\n" + kKhaa + u"\r\n\r\n");
}

TEST(ShowSuggestions, ElevenPositionsCutAtBothEnds) {
  Fixture f(Numbered(100));
  f.suggestions.SetSuggestionIndex(5);
  f.suggestions.ShowSuggestions();
  EXPECT_EQ(f.view.MainCaption(), u" w5");
  EXPECT_EQ(f.view.TipText(),
            u"w3\r\nw4\r\n<<< w5 >>>\r\nw6\r\nw7\r\nw8\r\nw9\r\nw10\r\nw11\r\nw12\r\nw13\r\n");

  f.suggestions.SetSuggestionIndex(0);
  f.suggestions.ShowSuggestions();
  EXPECT_EQ(f.view.TipText(), u"<<< w0 >>>\r\nw1\r\nw2\r\nw3\r\nw4\r\nw5\r\nw6\r\nw7\r\nw8\r\n");

  f.suggestions.SetSuggestionIndex(98);
  f.suggestions.ShowSuggestions();
  EXPECT_EQ(f.view.TipText(), u"w96\r\nw97\r\n<<< w98 >>>\r\nw99\r\n\r\n");
}

TEST(ShowSuggestions, IndexOutsideTheListKeepsTheCaptionAndDropsTheMarkedLine) {
  Fixture f(Numbered(100));
  f.suggestions.SetSuggestionIndex(0);
  f.suggestions.ShowSuggestions();
  f.suggestions.ScrollUp();
  EXPECT_EQ(f.suggestions.SuggestionIndex(), -1);
  EXPECT_EQ(f.view.MainCaption(), u" w0");
  EXPECT_EQ(f.view.TipText(), u"w0\r\nw1\r\nw2\r\nw3\r\nw4\r\nw5\r\nw6\r\nw7\r\n");

  Fixture empty(MakeLists({}, -1));
  CandidatePage old;
  old.Words = {u"old"};
  empty.view.Show(old);
  empty.suggestions.ShowSuggestions();
  EXPECT_EQ(empty.view.TipText(), u"");
  EXPECT_EQ(empty.view.MainCaption(), u"");
  // Searched, an empty list matches nothing and has no neighbours to show.
  empty.Search(kKa);
  empty.suggestions.ShowSuggestions();
  EXPECT_EQ(empty.view.TipText(), u"");
  EXPECT_EQ(empty.view.MainCaption(), kNoMatchCaption);
}

TEST(Scroll, MovesByOneWithoutBoundsButNeverWrapsAround) {
  Fixture f(Numbered(10));
  f.suggestions.ScrollDown();
  EXPECT_EQ(f.suggestions.SuggestionIndex(), 1);
  EXPECT_EQ(f.view.MainCaption(), u" w1");
  f.suggestions.SetSuggestionIndex(32767);
  f.suggestions.ScrollDown();
  EXPECT_EQ(f.suggestions.SuggestionIndex(), 32767);
  f.suggestions.SetSuggestionIndex(-32768);
  f.suggestions.ScrollUp();
  EXPECT_EQ(f.suggestions.SuggestionIndex(), -32768);
}

struct AcceptCase {
  std::u16string text;
  int caret;
  bool separator;
  int index;
  std::u16string expected_text;
  int expected_caret;
  int expected_length;
};

TEST(Accept, ReplacesTheTypedPrefixAndItsSeparator) {
  // Text after the typed word is the "|" so the replaced range is visible.
  const std::u16string word = kKamal;
  const std::vector<AcceptCase> cases = {
      // Space typed after the prefix at the end of the text.
      {kKa + kMa + u" ", 3, true, 2, word, 3, 0},
      // Right at the end of the text: the prefix alone.
      {kKa + kMa, 2, false, 2, word, 3, 0},
      // Space in the middle of a line: only the prefix and the space go.
      {u"x " + kKa + kMa + u" |", 5, true, 2, u"x " + word + u"|", 5, 0},
      // Right in the middle: the text after the caret stays.
      {u"x " + kKa + kMa + u"|y", 4, false, 2, u"x " + word + u"|y", 5, 0},
      // No suggestion: the range is only selected.
      {kKa + kMa + u" ", 3, true, -1, kKa + kMa + u" ", 0, 3},
      {kKa + kMa + u" ", 3, true, 5, kKa + kMa + u" ", 0, 3},
  };
  for (const AcceptCase& c : cases) {
    Fixture f = SmallList();
    f.state.WordPrefix = kKa + kMa;
    f.suggestions.SetSuggestionIndex(static_cast<std::int16_t>(c.index));
    MemoryTextBox box(c.text);
    box.SetSelStart(c.caret);
    const std::u16string written = f.suggestions.Accept(box, c.caret, c.separator);
    EXPECT_EQ(written, c.index == 2 ? word : u"") << "caret " << c.caret << " index " << c.index;
    EXPECT_EQ(box.Text(), c.expected_text) << "caret " << c.caret << " index " << c.index;
    EXPECT_EQ(box.SelStart(), c.expected_caret) << "caret " << c.caret << " index " << c.index;
    EXPECT_EQ(box.SelLength(), c.expected_length) << "caret " << c.caret << " index " << c.index;
    EXPECT_EQ(f.state.WordPrefix, kKa + kMa);  // Accept leaves the prefix alone
  }
}

TEST(Accept, ReplacesNothingButTheTypedPrefixAndItsSpace) {
  struct Case {
    std::u16string prefix;
    std::u16string text;  // the caret at its end
    bool separator;
  };
  const Case cases[] = {
      // Nothing typed: the space after a finished word is not replaced.
      {u"", kKa + kMa + u" ", true},
      {u"", kKa + kMa, false},
      // The text before the caret is not the prefix (and a space).
      {kKa + kMa, kKa + kLa + u" ", true},
      {kKa + kMa, kKa + kMa + u"x", true},
      {kKa + kMa, kKa + kMa + u" ", false},
  };
  for (const Case& c : cases) {
    Fixture f = SmallList();
    f.state.WordPrefix = c.prefix;
    f.suggestions.SetSuggestionIndex(2);
    MemoryTextBox box(c.text);
    const int caret = static_cast<int>(c.text.size());
    EXPECT_EQ(f.suggestions.Accept(box, caret, c.separator), u"");
    EXPECT_EQ(box.Text(), c.text);
    EXPECT_EQ(CaretOf(box), (Caret{caret, 0}));
  }
}

TEST(Accept, PrefixLongerThanTheTextBeforeTheCaretChangesNothing) {
  // The caret was moved back with the arrow keys while a prefix was typed:
  // selecting from the caret instead would overwrite text after it.
  Fixture f = SmallList();
  f.state.WordPrefix = kKa + kMa + kLa;
  f.suggestions.SetSuggestionIndex(0);
  MemoryTextBox box(kKa + u"abcdef");
  box.SetSelStart(1);
  f.suggestions.Accept(box, 1, true);
  EXPECT_EQ(box.Text(), kKa + u"abcdef");
  EXPECT_EQ(CaretOf(box), (Caret{1, 0}));
}

TEST(CustomWordClick, ReplacesTheSelectionOrInsertsAtTheCaret) {
  MemoryTextBox box(u"ab cd");
  box.SetSelStart(3);
  box.SetSelLength(2);
  CustomWordClick(box, kKam);  // over "cd"
  EXPECT_EQ(box.Text(), u"ab " + kKam);
  CustomWordClick(box, kKa);  // at the caret, after it
  EXPECT_EQ(box.Text(), u"ab " + kKam + kKa);
}

}  // namespace
}  // namespace lekhora
