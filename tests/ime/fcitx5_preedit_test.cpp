// The preedit as the addon hands it to fcitx5.

#include <gtest/gtest.h>

#include <string>

#include "fcitx5/preedit_text.h"

namespace lekhora {
namespace {

TEST(Fcitx5Preedit, CaretIsABytePlaceInTheWord) {
  // मेरा: four UTF-16 units, three bytes each in UTF-8.
  const std::u16string word = u"\u092E\u0947\u0930\u093E";
  const fcitx::Text end = PreeditText(word, 4);
  EXPECT_EQ(end.toString(), "\u092E\u0947\u0930\u093E");
  EXPECT_EQ(end.cursor(), 12);
  EXPECT_TRUE(end.formatAt(0).test(fcitx::TextFormatFlag::Underline));
  EXPECT_EQ(PreeditText(word, 1).cursor(), 3);
  // A caret outside the word stays at its ends.
  EXPECT_EQ(PreeditText(word, 9).cursor(), 12);
  EXPECT_EQ(PreeditText(word, -1).cursor(), 0);
}

TEST(Fcitx5Preedit, EmptyPreeditHasItsCaretAtTheStart) {
  // Not fcitx5's "no caret" (-1): the Qt front end would lay the box out
  // again after every commit.
  const fcitx::Text empty = PreeditText(u"", -1);
  EXPECT_TRUE(empty.empty());
  EXPECT_EQ(empty.cursor(), 0);
}

}  // namespace
}  // namespace lekhora
