// The model's letters, its file and its probabilities.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "roman/letters.h"
#include "roman/model.h"
#include "roman/train.h"
#include "text/utf8.h"

namespace lekhora::roman {
namespace {

std::vector<std::string> Groups(std::u16string_view word) {
  std::vector<std::string> groups;
  for (const std::u16string& group : DevanagariGroups(word)) groups.push_back(Utf16ToUtf8(group));
  return groups;
}

TEST(RomanLetters, LatinWordsAreLowerCaseLettersAndTilde) {
  EXPECT_EQ(LatinWord(u"KaiSe"), "kaise");
  EXPECT_EQ(LatinWord(u"ha~"), "ha~");
  EXPECT_EQ(LatinWord(u"kaise2"), std::nullopt);
  EXPECT_EQ(LatinWord(u"ka-i"), std::nullopt);
  EXPECT_EQ(LatinWord(u"क"), std::nullopt);
  EXPECT_EQ(PackLatin("a"), 1u);
  EXPECT_NE(PackLatin("zz~"), 0u);
  EXPECT_NE(PackLatin("ab"), PackLatin("ba"));
  EXPECT_EQ(PackLatin(""), 0u);
  EXPECT_EQ(PackLatin("abcd"), 0u);
  EXPECT_EQ(PackLatin("a1"), 0u);
}

TEST(RomanLetters, DevanagariSplitsIntoWhatIsSpelledAsOne) {
  // A consonant keeps its virama and nukta, a sign its nasal.
  EXPECT_EQ(Groups(u"क्षेत्र"), (std::vector<std::string>{"क्", "ष", "े", "त्", "र"}));
  EXPECT_EQ(Groups(u"नहीं"), (std::vector<std::string>{"न", "ह", "ीं"}));
  EXPECT_EQ(Groups(u"आँख"), (std::vector<std::string>{"आँ", "ख"}));
  // A precomposed nukta letter is the consonant and the nukta.
  EXPECT_EQ(Groups(u"\u095Bरूर"), (std::vector<std::string>{"ज\u093C", "र", "ू", "र"}));
}

const std::vector<Graphone> kGraphones = {{"a", u"\u093E"}, {"h", u"ह"}, {"i", u"\u0940"},
                                          {"k", u"क"},      {"n", u"न"}, {"~", u"\u0902"}};

std::string SmallModel() {
  NgramCounts counts;
  counts[{0}] = 3;
  counts[{1}] = 2;
  counts[{4}] = 5;
  counts[{5}] = 1;
  counts[{6}] = 1;
  counts[{4, 1}] = 2;
  counts[{0, 4, 1}] = 2;
  return Model::ToText(kGraphones, counts);
}

const Model& Loaded(const ModelOrError& loaded) {
  if (const Error* error = std::get_if<Error>(&loaded)) ADD_FAILURE() << error->description();
  static const Model kEmpty;
  return std::holds_alternative<Model>(loaded) ? std::get<Model>(loaded) : kEmpty;
}

TEST(RomanModel, TextReadsBackAsWritten) {
  const ModelOrError loaded = Model::FromText(SmallModel());
  const Model& model = Loaded(loaded);
  ASSERT_EQ(model.size(), kGraphones.size());
  EXPECT_EQ(model.At(4), kGraphones[3]);
  EXPECT_EQ(model.ForLatin(PackLatin("k")), std::vector<std::uint32_t>{4});
  EXPECT_TRUE(model.ForLatin(PackLatin("x")).empty());
}

TEST(RomanModel, ProbabilitiesAfterAnyContextAddUpToOne) {
  const ModelOrError loaded = Model::FromText(SmallModel());
  const Model& model = Loaded(loaded);
  for (const Model::History& before :
       {Model::History{0, 0}, Model::History{0, 4}, Model::History{4, 1}, Model::History{2, 6}}) {
    double sum = 0;
    for (std::uint32_t c = 0; c <= model.size(); ++c) {
      const double p = model.LogProbability(before, c);
      EXPECT_TRUE(std::isfinite(p));
      sum += std::exp(p);
    }
    EXPECT_NEAR(sum, 1.0, 1e-9);
  }
  // What followed in the counts is likelier than what did not.
  EXPECT_GT(model.LogProbability({0, 4}, 1), model.LogProbability({0, 4}, 3));
}

TEST(RomanModel, DamagedTextIsRefusedNamingTheLine) {
  const std::string good = SmallModel();
  const auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
  };
  const std::vector<std::pair<std::string, std::string>> damaged = {
      {"other header", replaced("lekhora-roman 1", "lekhora-roman 2")},
      {"graphone count too high", replaced("graphones 6", "graphones 7")},
      {"graphone count not a number", replaced("graphones 6", "graphones six")},
      {"graphones out of order", replaced("h\tह\ni", "i\tह\nh")},
      {"upper-case Latin", replaced("h\tह", "H\tह")},
      {"four Latin letters", replaced("h\tह", "hhhh\tह")},
      {"Latin Devanagari", replaced("h\tह", "h\th")},
      {"no tab", replaced("h\tह", "hह")},
      {"id out of range", replaced("0 4 1\t2", "0 4 9\t2")},
      {"four ids", replaced("0 4 1\t2", "0 0 4 1\t2")},
      {"count of 0", replaced("0 4 1\t2", "0 4 1\t0")},
      {"leading zero", replaced("0 4 1\t2", "0 4 1\t02")},
      {"counts out of order", replaced("5\t1\n6\t1\n", "6\t1\n5\t1\n")},
      {"count repeated", replaced("5\t1\n6\t1\n", "5\t1\n5\t1\n")},
      {"no end line", replaced("end\n", "")},
      {"text after the end", good + "x\n"},
      {"no line feed at the end", good.substr(0, good.size() - 1)},
      {"empty", ""},
  };
  for (const auto& [what, text] : damaged) {
    const ModelOrError loaded = Model::FromText(text);
    ASSERT_TRUE(std::holds_alternative<Error>(loaded)) << what;
    EXPECT_EQ(std::get<Error>(loaded).number(), kInvalidModel) << what;
    EXPECT_NE(std::get<Error>(loaded).description().find("line"), std::string::npos) << what;
  }
  // Every cut short of the whole text is refused too.
  for (std::size_t length = 0; length < good.size(); ++length)
    EXPECT_TRUE(std::holds_alternative<Error>(Model::FromText(good.substr(0, length)))) << length;
}

TEST(RomanModel, AFileThatIsNoModelIsAnError) {
  const std::filesystem::path missing =
      std::filesystem::temp_directory_path() / "lekhora-no-such-model.txt";
  EXPECT_TRUE(std::holds_alternative<Error>(Model::Load(missing)));
  EXPECT_TRUE(std::holds_alternative<Error>(Model::Load(std::filesystem::temp_directory_path())));
}

TEST(RomanTraining, TheSameSpellingsGiveTheSameModel) {
  const std::string lexicon =
      "kal\tकल\t2\nkala\tकला\t1\nkaala\tकाला\t3\nlaal\tलाल\t2\nlal\tलाल\t1\nkam\tकम\t1\n"
      "bad line\nKAAM\tकाम\t1\nmal\tमल\t1\nx1\tक\t1\nkal\tकल\tmany\n";
  const std::vector<Spelling> spellings = ReadLexicon(lexicon);
  ASSERT_EQ(spellings.size(), 8u);
  EXPECT_EQ(spellings[6].latin, "kaam");
  const std::string text = TrainModel(spellings);
  EXPECT_EQ(TrainModel(ReadLexicon(lexicon)), text);
  const ModelOrError loaded = Model::FromText(text);
  const Model& model = Loaded(loaded);
  // "~" stands for the nasal signs though no spelling uses it.
  EXPECT_EQ(model.ForLatin(PackLatin("~")).size(), 2u);
}

TEST(RomanTraining, WhatMorePeopleWroteIsTheLikelierReading) {
  // The same letters for two words: the one more people spelled so comes
  // first, whichever of the two it is.
  for (const auto& [lexicon, first] :
       {std::pair{"i\tई\t3\ni\tइ\t1\n", u"ई"}, std::pair{"i\tई\t1\ni\tइ\t3\n", u"इ"}}) {
    const ModelOrError loaded = Model::FromText(TrainModel(ReadLexicon(lexicon)));
    const Model& model = Loaded(loaded);
    const std::vector<std::uint32_t>& ids = model.ForLatin(PackLatin("i"));
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(model.At(ids[0]).devanagari, first);
    EXPECT_GT(model.LogProbability({0, 0}, ids[0]), model.LogProbability({0, 0}, ids[1]));
  }
}

}  // namespace
}  // namespace lekhora::roman
