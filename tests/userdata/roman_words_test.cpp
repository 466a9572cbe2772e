// The words Latin letters stand for in the pad and the input method: the
// shipped model's choice first, then the words the user writes.

#include "userdata/roman_words.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/program_folder.h"
#include "userdata/word_ranking.h"

namespace lekhora {
namespace {

TEST(RomanWords, AWordTheUserChoseComesFirstForTheSameLetters) {
  WordRanking ranking(ProgramFolder(), {});
  const RomanWords words(ProgramFolder(), ranking);
  ASSERT_TRUE(words.Loaded()) << words.Problem();
  EXPECT_EQ(words.Candidates(u"kaise", {}, 9).front(), u"कैसे");
  const std::vector<std::u16string> offered = words.Candidates(u"ho", {}, 9);
  ASSERT_GE(offered.size(), 3U);
  // The third word, committed once, leads the next time.
  std::u16string previous;
  ranking.Learn(offered[2], previous);
  EXPECT_EQ(words.Candidates(u"ho", {}, 9).front(), offered[2]);
  // A name no list holds: the spelling the user chose leads too.
  const std::vector<std::u16string> name = words.Candidates(u"lekhora", {}, 9);
  ASSERT_GE(name.size(), 2U);
  ranking.Learn(name[1], previous);
  EXPECT_EQ(words.Candidates(u"lekhora", {}, 9).front(), name[1]);
}

TEST(RomanWords, AWordTheUserAddedIsFoundAndComesFirst) {
  WordRanking ranking(ProgramFolder(), {});
  RomanWords words(ProgramFolder(), ranking);
  ASSERT_TRUE(words.Loaded()) << words.Problem();
  // A spelling of the name the model alone does not offer for these letters.
  const std::u16string added = u"लेखौरा";
  const std::vector<std::u16string> before = words.Candidates(u"lekhora", {}, 9);
  ASSERT_EQ(std::find(before.begin(), before.end(), added), before.end());
  const std::vector<std::u16string> list = {u"कमल", added};
  words.SetUserWords(list);
  EXPECT_EQ(words.Candidates(u"lekhora", {}, 9).front(), added);
  // Removed from the list, it is the model's again.
  words.SetUserWords({});
  EXPECT_EQ(words.Candidates(u"lekhora", {}, 9), before);
}

TEST(RomanWords, WithoutItsModelNothingIsOfferedAndTheReasonIsKnown) {
  WordRanking ranking(ProgramFolder(), {});
  const RomanWords words("/nonexistent", ranking);
  EXPECT_FALSE(words.Loaded());
  EXPECT_FALSE(words.Problem().empty());
  EXPECT_TRUE(words.Candidates(u"kaise", {}, 9).empty());
}

}  // namespace
}  // namespace lekhora
