// The letter model over a small word table.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <variant>

#include "roman/letter_model.h"

namespace lekhora::roman {
namespace {

WordFrequencies Table(std::uint8_t scale = 1) {
  FrequenciesOrError table = WordFrequencies::FromBytes(
      EncodeFrequencies({{u"कमल", 40},
                         {u"कमला", 9},
                         {u"कलम", 20},
                         {u"नमक", 30},
                         {u"नाम", 90},
                         {u"मकान", static_cast<std::uint8_t>(12 * scale)}}));
  EXPECT_TRUE(std::holds_alternative<WordFrequencies>(table));
  return std::holds_alternative<WordFrequencies>(table) ? std::get<WordFrequencies>(table)
                                                        : WordFrequencies();
}

TEST(LetterModel, SpellingsLikeTheKnownWordsScoreAboveOnesNoWordHas) {
  const WordFrequencies table = Table();
  const LetterModel model = LetterModel::FromWords(table);
  ASSERT_FALSE(model.empty());
  // A known word, a new word of known pieces, then the same letters in an
  // order no word has: a vowel sign first, a virama last.
  const double known = model.LogProbability(u"कमल");
  const double pieces = model.LogProbability(u"नमल");
  const double jumbled = model.LogProbability(u"ाकमल्");
  EXPECT_GT(known, pieces);
  EXPECT_GT(pieces, jumbled);
  // How often a word is used does not count, only that it is a word.
  EXPECT_EQ(LetterModel::FromWords(Table(10)).LogProbability(u"मकान"),
            model.LogProbability(u"मकान"));
  // Whatever the letters, the score is a number; the end alone is a word
  // too.
  for (std::u16string_view odd : {u"", u"kamal", u"\u0900\u097F", u"क\U0001F600"})
    EXPECT_TRUE(std::isfinite(model.LogProbability(odd)));
  // The same table, the same model.
  EXPECT_EQ(LetterModel::FromWords(table).LogProbability(u"नमल"), pieces);
}

TEST(LetterModel, AModelOfNoWordsScoresEveryWordAlike) {
  const LetterModel none = LetterModel::FromWords(WordFrequencies());
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(none.LogProbability(u"कमल"), 0.0);
  EXPECT_EQ(LetterModel().LogProbability(u"ाक"), 0.0);
}

}  // namespace
}  // namespace lekhora::roman
