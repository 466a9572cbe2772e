#include "suggest/canonical_fold.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace lekhora {
namespace {

constexpr char16_t kNukta = 0x093C;
constexpr char16_t kVirama = 0x094D;

std::u16string Fold(std::u16string_view text) {
  std::u16string out = u"left over";
  FoldCanonical(text, out);
  return out;
}

TEST(CanonicalFold, NuktaLettersSplitAndTheThreeComposableOnesCompose) {
  // U+0958..U+095F are composition exclusions: always consonant and nukta.
  const char16_t bases[] = {0x0915, 0x0916, 0x0917, 0x091C, 0x0921, 0x0922, 0x092B, 0x092F};
  for (char16_t letter = 0x0958; letter <= 0x095F; ++letter) {
    const std::u16string split = {bases[letter - 0x0958], kNukta};
    EXPECT_EQ(Fold(std::u16string(1, letter)), split) << std::hex << int(letter);
    EXPECT_EQ(Fold(split), split);
    EXPECT_TRUE(NeedsCanonicalFold(std::u16string(1, letter)));
    EXPECT_FALSE(NeedsCanonicalFold(split));
  }
  // na, ra, lla with a nukta are U+0929, U+0931, U+0934 in normal form C.
  EXPECT_EQ(Fold(u"\u0928\u093C\u093E"), u"\u0929\u093E");
  EXPECT_EQ(Fold(u"\u0930\u093C"), u"\u0931");
  EXPECT_EQ(Fold(u"\u0933\u093C"), u"\u0934");
  EXPECT_FALSE(NeedsCanonicalFold(u"\u0929\u0931\u0934"));
}

TEST(CanonicalFold, ANuktaTypedAfterTheViramaMovesBeforeIt) {
  // ja virama nukta ya: the nukta's class is lower, so it goes first.
  EXPECT_EQ(Fold(u"\u091C\u094D\u093C\u092F"), u"\u091C\u093C\u094D\u092F");
  // ...and then composes where it can.
  EXPECT_EQ(Fold(u"\u0928\u094D\u093C"), u"\u0929\u094D");
  // A joiner is a starter: it blocks both.
  EXPECT_EQ(Fold(u"\u0928\u200D\u093C"), u"\u0928\u200D\u093C");
}

TEST(CanonicalFold, TextInNormalFormCAndOtherScriptsStayAsTheyAre) {
  for (std::u16string_view text :
       {std::u16string_view(u""), std::u16string_view(u"kamal"),
        std::u16string_view(u"\u091C\u093C\u094D\u092F\u093E\u0926\u093E"),
        std::u16string_view(u"\u0915\u094D\u0937"), std::u16string_view(u"\u09A1\u09BC")}) {
    EXPECT_FALSE(NeedsCanonicalFold(text));
    EXPECT_EQ(Fold(text), text);
  }
}

TEST(CanonicalFold, NeedsFoldIsExactlyWhenTheFoldChangesTheText) {
  // Random strings over the units that take part, each folded once more to
  // confirm the fold is finished in one pass.
  const char16_t units[] = {0x0915, 0x091C, 0x0928,  0x0929, 0x0930, 0x0933, 0x095B,
                            0x095F, kNukta, kVirama, 0x093E, 0x0951, 0x0952, 0x200D};
  std::mt19937 random(11);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(units) - 1);
  std::uniform_int_distribution<int> length(0, 6);
  for (int round = 0; round < 20000; ++round) {
    std::u16string text;
    for (int n = length(random); n > 0; --n) text += units[pick(random)];
    const std::u16string folded = Fold(text);
    EXPECT_EQ(NeedsCanonicalFold(text), folded != text);
    EXPECT_FALSE(NeedsCanonicalFold(folded));
    EXPECT_EQ(Fold(folded), folded);
  }
}

}  // namespace
}  // namespace lekhora
