// Which counted words the word frequencies keep, in what spelling, and how the
// word list's words are given a floor.

#include "tools/words/frequency_sources.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "text/utf8.h"

namespace lekhora::words {
namespace {

std::string U8(std::u16string_view text) {
  return Utf16ToUtf8(text);
}

const std::u16string kHai = u"\u0939\u0948";                // है
const std::u16string kBadaa = u"\u092C\u0921\u093C\u093E";  // बड़ा in normal form C
const std::u16string kBadaaPrecomposed = u"\u092C\u095C\u093E";
const std::u16string kKya = u"\u0915\u094D\u092F\u093E";  // क्या
const std::u16string kKyaJoined = u"\u0915\u094D\u200D\u092F\u093E";

TEST(FrequencySources, OnlyWordsTheListsRulesAcceptAreKept) {
  FrequencyCounts counts;
  AddCounts(U8(kHai) + " 30\n" + "the 9\n" +                             // Latin
                U8(u"\u0964") + " 25\n" +                                // a danda
                U8(u"\u0915\u092D\u0940-\u0915\u092D\u0940") + " 4\n" +  // hyphenated
                U8(u"\u093F\u0932\u090F") + " 3\n" +                     // a vowel sign first
                U8(u"\u0928\u0939\u0940\u0902\u0902") + " 2\n" +         // anusvara doubled
                U8(u"\u0967\u0968") + " 2\n",                            // Devanagari digits
            counts);
  EXPECT_EQ(counts.counts, (std::map<std::u16string, std::uint64_t>{{kHai, 30}}));
  EXPECT_EQ(counts.dropped, (std::map<WordRule, std::size_t>{{WordRule::kLetters, 4},
                                                             {WordRule::kSignAtStart, 1},
                                                             {WordRule::kDoubledNasal, 1}}));
}

TEST(FrequencySources, EverySpellingOfAWordCountsForItsNormalForm) {
  FrequencyCounts counts;
  AddCounts(U8(kBadaaPrecomposed) + " 10\r\n" + U8(kBadaa) + " 5\r\n\r\n" + U8(kKyaJoined) +
                " 2\n" + U8(kKya) + " 7",
            counts);
  EXPECT_EQ(counts.counts, (std::map<std::u16string, std::uint64_t>{{kBadaa, 15}, {kKya, 9}}));
  EXPECT_EQ(counts.respelled, 2u);
  EXPECT_TRUE(counts.dropped.empty());
  EXPECT_EQ(TableSpelling(kBadaaPrecomposed), kBadaa);
}

TEST(FrequencySources, ALineWithoutAUsableCountStopsTheBuild) {
  for (const std::string text : {"\xE0\xA4 3\n", "word\n", " 3\n", "word 0\n", "word 3x\n",
                                 "word -3\n", "word 99999999999999999999\n", "word  \n"}) {
    SCOPED_TRACE(text);
    FrequencyCounts counts;
    EXPECT_THROW(AddCounts(text, counts), std::runtime_error);
  }
}

TEST(FrequencySources, TheListsWordsAreRaisedToTheirFloorAndNeverLowered) {
  FrequencyCounts counts;
  AddCounts(U8(kHai) + " 30\n", counts);
  RaiseToFloor({kHai, kBadaaPrecomposed, u"abc"}, 16, counts);
  EXPECT_EQ(counts.counts, (std::map<std::u16string, std::uint64_t>{{kHai, 30}, {kBadaa, 16}}));
  EXPECT_EQ(counts.dropped.at(WordRule::kLetters), 1u);

  const std::vector<ScoredWord> scored = ScoredWords(counts);
  ASSERT_EQ(scored.size(), 2u);
  EXPECT_EQ(scored[0], (ScoredWord{kBadaa, ScoreOfCount(16)}));  // code-unit order
  EXPECT_EQ(scored[1], (ScoredWord{kHai, ScoreOfCount(30)}));
}

}  // namespace
}  // namespace lekhora::words
