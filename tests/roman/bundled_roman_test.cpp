// The model the build makes from the romanized lexicon, searched with the
// word frequencies beside it, as people type Hindi in Latin letters.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <variant>

#include "base/data_files.h"
#include "base/program_folder.h"
#include "roman/romanizer.h"
#include "roman/train.h"
#include "text/utf8.h"

namespace lekhora::roman {
namespace {

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

const Model& BundledModel() {
  static const ModelOrError model = Model::Load(ProgramFolder() / kRomanModelFile);
  if (const Error* error = std::get_if<Error>(&model)) ADD_FAILURE() << error->description();
  static const Model kEmpty;
  return std::holds_alternative<Model>(model) ? std::get<Model>(model) : kEmpty;
}

const WordFrequencies& BundledWords() {
  static const FrequenciesOrError table =
      WordFrequencies::Load(ProgramFolder() / kWordFrequencyFile);
  if (const Error* error = std::get_if<Error>(&table)) ADD_FAILURE() << error->description();
  static const WordFrequencies kEmpty;
  return std::holds_alternative<WordFrequencies>(table) ? std::get<WordFrequencies>(table) : kEmpty;
}

// One romanizer for all: it counts the table's letters as it starts.
const Romanizer& BundledRomanizer() {
  static const Romanizer romanizer(BundledModel(), BundledWords());
  return romanizer;
}

std::string First(std::u16string_view typed) {
  const std::vector<RomanCandidate> candidates = BundledRomanizer().Candidates(typed, 5);
  return candidates.empty() ? "" : Utf16ToUtf8(candidates.front().word);
}

TEST(BundledRoman, EverydayWordsAsPeopleSpellThem) {
  // Long and short vowels, dropped vowels and nasals, aspirates, doubled
  // consonants, nukta letters, a loanword.
  const std::pair<const char16_t*, const char*> cases[] = {{u"kaise", "कैसे"},
                                                           {u"nahi", "नहीं"},
                                                           {u"nahin", "नहीं"},
                                                           {u"nhi", "नहीं"},
                                                           {u"achha", "अच्छा"},
                                                           {u"accha", "अच्छा"},
                                                           {u"kya", "क्या"},
                                                           {u"hai", "है"},
                                                           {u"kr", "कर"},
                                                           {u"school", "स्कूल"},
                                                           {u"zaroor", "ज\u093Cरूर"},
                                                           {u"Kaise", "कैसे"},
                                                           {u"kathmandoo", "काठमांडू"}};
  for (const auto& [typed, expected] : cases)
    EXPECT_EQ(First(typed), expected) << Utf16ToUtf8(typed);
}

TEST(BundledRoman, HurriedSpellingsThatLeaveSignsOutFindTheCommonWord) {
  // A vowel inside the word, the nasal after its vowel, a word in one letter.
  const std::pair<const char16_t*, const char*> cases[] = {
      {u"mjhe", "मुझे"}, {u"rhe", "रहे"}, {u"me", "में"},    {u"mai", "मैं"},
      {u"hu", "हूँ"},    {u"h", "है"},    {u"ghr", "घर"},  {u"mene", "मैंने"},
      {u"kch", "कुछ"},  {u"kse", "कैसे"}, {u"sth", "साथ"}, {u"tmhara", "तुम्हारा"}};
  for (const auto& [typed, expected] : cases)
    EXPECT_EQ(First(typed), expected) << Utf16ToUtf8(typed);
  // A vowel left out at the end would make another word of what was typed.
  EXPECT_EQ(First(u"shakt"), "शक्त");
}

TEST(BundledRoman, ANameNoListHoldsIsSpelledByTheModel) {
  const std::vector<RomanCandidate> candidates = BundledRomanizer().Candidates(u"lekhora", 5);
  ASSERT_FALSE(candidates.empty());
  EXPECT_FALSE(candidates.front().known);
  EXPECT_EQ(Utf16ToUtf8(candidates.front().word).rfind("लेख", 0), 0u)
      << Utf16ToUtf8(candidates.front().word);
}

TEST(BundledRoman, TheShippedModelIsWhatTheLexiconTeaches) {
  const std::string lexicon =
      ReadText(std::string(LEKHORA_DATA_DIR) + "/dakshina-hi-translit-train.tsv");
  ASSERT_FALSE(lexicon.empty());
  EXPECT_TRUE(TrainModel(ReadLexicon(lexicon)) == ReadText(ProgramFolder() / kRomanModelFile));
}

}  // namespace
}  // namespace lekhora::roman
