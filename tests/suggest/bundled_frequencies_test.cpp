// The word frequency table the build places beside the tests, made from the
// subtitle counts and the word list's own sources.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <variant>

#include "base/data_files.h"
#include "base/program_folder.h"
#include "suggest/word_frequencies.h"
#include "tests/suggest/bundled_list.h"
#include "text/utf8.h"

namespace lekhora {
namespace {

const WordFrequencies& BundledFrequencies() {
  static const WordFrequencies table = [] {
    FrequenciesOrError loaded = WordFrequencies::Load(ProgramFolder() / kWordFrequencyFile);
    if (const Error* error = std::get_if<Error>(&loaded)) ADD_FAILURE() << error->description();
    return std::holds_alternative<WordFrequencies>(loaded) ? std::get<WordFrequencies>(loaded)
                                                           : WordFrequencies();
  }();
  return table;
}

TEST(BundledFrequencies, EveryWordOfTheListIsKnown) {
  const WordLists& lists = testing::BundledList();
  ASSERT_GT(lists.WordCount, 20000);
  EXPECT_GT(BundledFrequencies().size(), static_cast<std::size_t>(lists.WordCount));
  for (int i = 0; i < lists.WordCount; ++i)
    ASSERT_GT(BundledFrequencies().Score(lists.WordList[i]), 0) << Utf16ToUtf8(lists.WordList[i]);
}

TEST(BundledFrequencies, EverydayWordsRankAboveTheRareOnes) {
  std::ifstream in(std::string(LEKHORA_DATA_DIR) + "/common-words.txt");
  int words = 0;
  for (std::string line; std::getline(in, line);) {
    const std::string word = line.substr(0, line.find('\t'));
    if (word.empty() || word.front() == '#') continue;
    ++words;
    EXPECT_GE(BundledFrequencies().Score(Utf8ToUtf16(word)), ScoreOfCount(16)) << word;
  }
  EXPECT_GT(words, 500);
}

TEST(BundledFrequencies, TheMostFrequentWordsComeFirst) {
  const WordFrequencies& table = BundledFrequencies();
  // है, के, की and क्या are the subtitles' most frequent words of their letters.
  EXPECT_EQ(table.Complete(u"", 1).front().word, u"\u0939\u0948");
  const std::vector<ScoredWord> ka = table.Complete(u"\u0915", 3);
  ASSERT_EQ(ka.size(), 3u);
  EXPECT_EQ(ka[0].word, u"\u0915\u0947");
  EXPECT_EQ(ka[1].word, u"\u0915\u0940");
  EXPECT_EQ(ka[2].word, u"\u0915\u094D\u092F\u093E");
  // बड़ा is counted precomposed in the subtitles; the table holds the
  // spelling the search folds to.
  EXPECT_GT(table.Score(u"\u092C\u0921\u093C\u093E"), ScoreOfCount(100));
  EXPECT_EQ(table.Score(u"\u092C\u095C\u093E"), 0);
}

}  // namespace
}  // namespace lekhora
