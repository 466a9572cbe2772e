#include "suggest/user_words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/utf16.h"
#include "letters.h"
#include "suggest/word_lists.h"

namespace lekhora {
namespace {

using Words = std::vector<std::u16string>;
using testing::kAa;
using testing::kKa;
using testing::kMa;

UserWords FromText(std::u16string_view text) {
  return UserWords::FromBytes(Utf16ToBytes(text));
}

Words Shown(const UserWords& words) {
  return Words(words.Words().begin(), words.Words().end());
}

std::u16string TextOf(const UserWords& words) {
  return BytesToUtf16(words.ToBytes());
}

TEST(UserWords, ReadsAsStartUpDoesAndWritesTheSameBytesBack) {
  for (const std::u16string_view text :
       {u"x\r\ny\r\nz", u"x\r\ny\r\n", u"only the first line", u"\uFEFFx\r\n\r\ny", u"a\nb\r\nc"}) {
    const std::vector<std::uint8_t> bytes = Utf16ToBytes(text);
    EXPECT_EQ(UserWords::FromBytes(bytes).ToBytes(), bytes);
  }
  EXPECT_EQ(Shown(FromText(u"x\r\ny\r\nz")), (Words{u"y", u"z"}));
  // A lone LF is part of a line, as the start-up reading has it.
  EXPECT_EQ(Shown(FromText(u"x\r\na\nb")), Words{u"a\nb"});
  EXPECT_EQ(Shown(FromText(u"")), Words{});
  EXPECT_TRUE(UserWords::FromBytes({}).ToBytes().empty());
}

TEST(UserWords, AddAppendsAndKeepsTheFinalLineBreak) {
  UserWords words = FromText(u"head\r\n" + kKa);
  EXPECT_EQ(words.Add(kMa), WordEdit::Done);
  EXPECT_EQ(TextOf(words), u"head\r\n" + kKa + u"\r\n" + kMa);

  UserWords ended = FromText(u"head\r\n" + kKa + u"\r\n");
  EXPECT_EQ(ended.Add(kMa), WordEdit::Done);
  EXPECT_EQ(TextOf(ended), u"head\r\n" + kKa + u"\r\n" + kMa + u"\r\n");

  // A list of nothing gets its explaining first line, never shown.
  UserWords none;
  EXPECT_EQ(none.Add(kKa), WordEdit::Done);
  EXPECT_EQ(TextOf(none), std::u16string(kUserWordsHeader) + u"\r\n" + kKa);
  EXPECT_EQ(Shown(none), Words{kKa});
  // A header-only list takes the word as its first word, not its header.
  UserWords header = FromText(u"head");
  EXPECT_EQ(header.Add(kKa), WordEdit::Done);
  EXPECT_EQ(Shown(header), Words{kKa});
}

TEST(UserWords, AddRefusesWhatIsThereEmptyMoreThanALineOrTooLong) {
  UserWords words = FromText(u"head\r\n" + kKa + kAa);
  const std::u16string before = TextOf(words);
  EXPECT_EQ(words.Add(kKa + kAa), WordEdit::AlreadyThere);
  EXPECT_EQ(words.Add(u""), WordEdit::Empty);
  EXPECT_EQ(words.Add(kKa + u"\r\n" + kMa), WordEdit::NotOneLine);
  EXPECT_EQ(words.Add(kKa + u"\n"), WordEdit::NotOneLine);
  EXPECT_EQ(words.Add(u"\r" + kMa), WordEdit::NotOneLine);
  // A pasted text is no word, and the list box would not show it.
  EXPECT_EQ(words.Add(std::u16string(kMaxUserWordUnits + 1, u'x')), WordEdit::TooLong);
  EXPECT_EQ(TextOf(words), before);
  EXPECT_EQ(words.Add(std::u16string(kMaxUserWordUnits, u'x')), WordEdit::Done);
  words = FromText(u"head\r\n" + kKa + kAa);
  // The first line is no word: the same text may be added.
  EXPECT_EQ(words.Add(u"head"), WordEdit::Done);
  // Comparisons are exact: a different vowel sign is another word.
  EXPECT_EQ(words.Add(kKa), WordEdit::Done);
}

TEST(UserWords, RemoveTakesTheShownRowOrTheWordWhereverItWent) {
  UserWords words = FromText(u"head\r\na\r\nb\r\na");
  EXPECT_EQ(words.Remove(2, u"a"), WordEdit::Done);  // the second "a"
  EXPECT_EQ(TextOf(words), u"head\r\na\r\nb");
  // The row no longer holds the word: the first entry that does goes.
  EXPECT_EQ(words.Remove(5, u"b"), WordEdit::Done);
  EXPECT_EQ(TextOf(words), u"head\r\na");
  EXPECT_EQ(words.Remove(0, u"head"), WordEdit::NotThere);
  EXPECT_EQ(words.Remove(0, u"z"), WordEdit::NotThere);
  EXPECT_EQ(words.Remove(0, u"a"), WordEdit::Done);
  EXPECT_EQ(TextOf(words), u"head");
  EXPECT_EQ(UserWords{}.Remove(0, u"a"), WordEdit::NotThere);
}

TEST(WordToAdd, TheSelectionTrimmedOrTheWordAroundTheCaret) {
  const std::u16string word = kKa + kAa + kMa;
  const std::u16string text = u"ab " + word + u", \u0964x\ny";
  EXPECT_EQ(WordToAdd(text, 3, 0), word);  // at its start
  EXPECT_EQ(WordToAdd(text, 4, 0), word);  // inside
  EXPECT_EQ(WordToAdd(text, 6, 0), word);  // at its end, before the comma
  EXPECT_EQ(WordToAdd(text, 1, 0), u"ab");
  EXPECT_EQ(WordToAdd(text, 8, 0), u"");  // between the comma and the danda
  EXPECT_EQ(WordToAdd(text, 10, 0), u"x");
  EXPECT_EQ(WordToAdd(text, static_cast<int>(text.size()), 0), u"y");
  EXPECT_EQ(WordToAdd(u"", 0, 0), u"");

  // A selection is taken whole, without the blanks and line breaks around it.
  EXPECT_EQ(WordToAdd(text, 2, 6), word + u",");
  EXPECT_EQ(WordToAdd(u"  a b \n", 0, 7), u"a b");
  EXPECT_EQ(WordToAdd(text, 9, 3), u"x\ny");  // which Add refuses
  EXPECT_EQ(WordToAdd(u"   ", 0, 3), u"");
  // Positions past the end are cut to it.
  EXPECT_EQ(WordToAdd(u"ab", 1, 50), u"b");
  EXPECT_EQ(WordToAdd(u"ab", 9, 0), u"ab");
}

}  // namespace
}  // namespace lekhora
