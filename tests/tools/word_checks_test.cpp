// The spelling rules of the word list, each with words that keep it and words
// that break it. Every word is spelled in code points.

#include "tools/words/word_checks.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace lekhora::words {
namespace {

// Letters by name, so each case reads as the word it spells.
constexpr char16_t kA = 0x0905, kI = 0x0907, kU = 0x0909;     // independent vowels
constexpr char16_t kKa = 0x0915, kJa = 0x091C, kNa = 0x0928;  // consonants
constexpr char16_t kMa = 0x092E, kYa = 0x092F, kRa = 0x0930, kSa = 0x0938;
constexpr char16_t kNnna = 0x0929, kZa = 0x095B;  // with a nukta already
constexpr char16_t kSignAa = 0x093E, kSignI = 0x093F, kSignU = 0x0941, kSignE = 0x0947;
constexpr char16_t kCandrabindu = 0x0901, kAnusvara = 0x0902, kVisarga = 0x0903;
constexpr char16_t kNukta = 0x093C, kVirama = 0x094D, kAvagraha = 0x093D;
constexpr char16_t kZwnj = 0x200C, kZwj = 0x200D;

std::u16string W(std::initializer_list<char16_t> units) {
  return std::u16string(units);
}

struct Case {
  std::u16string word;
  std::optional<WordRule> rule;  // nothing: the word passes
  std::size_t at = 0;
};

void Expect(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    std::string shown;
    for (char16_t unit : c.word) shown += " " + std::to_string(static_cast<int>(unit));
    const std::optional<WordFault> fault = CheckWord(c.word);
    if (!c.rule) {
      EXPECT_FALSE(fault.has_value()) << shown << " fails " << RuleName(fault->rule);
      continue;
    }
    ASSERT_TRUE(fault.has_value()) << shown << " passes";
    EXPECT_EQ(RuleName(fault->rule), RuleName(*c.rule)) << shown;
    EXPECT_EQ(fault->at, c.at) << shown;
  }
}

TEST(WordChecks, OnlyDevanagariLettersSignsAndNukta) {
  Expect({
      {W({kKa, kMa, 0x0932}), {}},                                        // kamal
      {W({kA, kNa, kSignU, kSa, kVirama, kMa, kSignAa, kVisarga}), {}},   // signs of all kinds
      {W({0x0936, 0x093F, 0x0935, 0x094B, kAvagraha, 0x0939, kMa}), {}},  // avagraha
      {W({0x0935, kSignAa, 0x0908, u'-', 0x092B, kSignAa, 0x0908}), WordRule::kLetters, 3},
      {W({u'>', kU}), WordRule::kLetters, 0},
      {W({kKa, u' ', kMa}), WordRule::kLetters, 1},
      {W({kKa, 0x0967}), WordRule::kLetters, 1},  // a Devanagari digit
      {W({kKa, 0x0964}), WordRule::kLetters, 1},  // danda
      {W({0x0950}), WordRule::kLetters, 0},       // om
      {W({u'k', u'a'}), WordRule::kLetters, 0},
      {u"", WordRule::kEmpty, 0},
  });
}

TEST(WordChecks, JoinersOnlyBetweenAViramaAndAConsonant) {
  Expect({
      {W({kKa, kVirama, kZwnj, 0x0937}), {}},
      {W({kNa, kVirama, kZwj, kYa}), {}},
      {W({kKa, kVirama, kZwnj}), WordRule::kJoiner, 2},  // at the end
      {W({kKa, kZwj, kMa}), WordRule::kJoiner, 1},       // no virama before it
      {W({kKa, kVirama, kZwj, kSignAa}), WordRule::kJoiner, 2},
      {W({kZwj, kKa}), WordRule::kJoiner, 0},
  });
}

TEST(WordChecks, NoSignOrViramaAtTheStartOrAfterAnIndependentVowel) {
  Expect({
      {W({kA, kAnusvara, 0x0917}), {}},  // a nasal sign after a vowel is fine
      {W({kA, kVisarga}), {}},
      {W({kSignAa, kKa}), WordRule::kSignAtStart, 0},
      {W({kVirama, kYa, kSignAa}), WordRule::kSignAtStart, 0},
      {W({kAnusvara, kKa}), WordRule::kSignAtStart, 0},
      {W({0x0906, kSignI, 0x0917}), WordRule::kSignAtStart, 1},
      {W({kRa, 0x094B, kKa, kU, 0x0940}), WordRule::kSignAtStart, 4},
      {W({kI, kVirama}), WordRule::kSignAtStart, 1},
  });
}

TEST(WordChecks, NoTwoVowelSignsInARow) {
  Expect({
      {W({kKa, kSignI, kKa, kSignU}), {}},
      {W({kKa, kSignI, kSignU, 0x0924, kSignU}), WordRule::kTwoVowelSigns, 2},
      {W({0x0921, kSignE, kSignAa, kRa}), WordRule::kTwoVowelSigns, 2},
  });
}

TEST(WordChecks, NoViramaBeforeAVowelSign) {
  Expect({
      {W({kSa, kVirama, kYa, kSignAa}), {}},
      {W({0x0927, kVirama, 0x0940}), WordRule::kViramaBeforeSign, 2},
  });
}

TEST(WordChecks, NuktaOnlyAfterAConsonantWithoutOne) {
  Expect({
      {W({kJa, kNukta, kYa}), {}},
      {W({0x092B, kNukta, kAnusvara, 0x0921}), {}},  // a nasal sign may follow the nukta
      {W({kKa, kNukta, kVirama, 0x0924}), {}},
      {W({kA, kNukta}), WordRule::kNukta, 1},
      {W({kKa, kSignAa, kNukta}), WordRule::kNukta, 2},
      {W({kNukta, kKa}), WordRule::kNukta, 0},
      {W({kJa, kNukta, kNukta}), WordRule::kNukta, 2},
      {W({kNnna, kNukta}), WordRule::kNukta, 1},
      {W({kZa, kNukta}), WordRule::kNukta, 1},
  });
}

TEST(WordChecks, AnusvaraAndCandrabinduNotDoubled) {
  Expect({
      {W({kMa, kSignAa, kCandrabindu}), {}},
      {W({kKa, kSignU, kAnusvara, kAnusvara, 0x0921}), WordRule::kDoubledNasal, 3},
      {W({kRa, kAnusvara, kCandrabindu}), WordRule::kDoubledNasal, 2},
  });
}

TEST(WordChecks, SignsOnlyWhereTheyJoinALetter) {
  Expect({
      {W({kKa, kSignU, 0x091F, kAnusvara, kSignU, 0x092C}), WordRule::kMisplacedSign, 4},
      {W({0x091F, kSignI, kVirama, 0x0935}), WordRule::kMisplacedSign, 2},
      {W({kSa, kVirama, kAnusvara}), WordRule::kMisplacedSign, 2},
      {W({0x0917, 0x0921, kVisarga, kAnusvara}), WordRule::kMisplacedSign, 3},
      {W({kAvagraha, kSignAa}), WordRule::kMisplacedSign, 1},
  });
}

TEST(WordChecks, NormalFormC) {
  Expect({
      {W({kJa, kNukta, 0x0930, 0x0942, 0x0930, 0x0924}), {}},  // za as ja and nukta
      {W({kNnna}), {}},                                        // nnna is composed
      {W({kZa, 0x0930, 0x0942, 0x0930, 0x0924}), WordRule::kNormalFormC, 0},
      {W({0x095F}), WordRule::kNormalFormC, 0},
      {W({kNa, kNukta}), WordRule::kNormalFormC, 0},  // composes to nnna
  });
}

}  // namespace
}  // namespace lekhora::words
