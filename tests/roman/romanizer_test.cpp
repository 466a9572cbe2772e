// The search over a small model and a small word table.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "roman/romanizer.h"
#include "roman/train.h"
#include "text/utf8.h"

namespace lekhora::roman {
namespace {

// A few words, each spelled in a few ways, as the lexicon spells them.
constexpr const char* kLexicon =
    "kal\tकल\t3\nkala\tकला\t2\nkaala\tकाला\t3\nkaal\tकाल\t2\nlaal\tलाल\t3\nlal\tलाल\t1\n"
    "kam\tकम\t3\nkaam\tकाम\t3\nmal\tमल\t2\nmaal\tमाल\t3\nmala\tमाला\t2\nmaala\tमाला\t2\n"
    "nal\tनल\t2\nnaam\tनाम\t3\nnam\tनाम\t1\nmeena\tमीना\t2\nmina\tमीना\t1\nkeel\tकील\t2\n"
    "kil\tकील\t1\nleela\tलीला\t2\nlila\tलीला\t1\nnahin\tनहीं\t3\nnahi\tनहीं\t2\nhal\tहल\t2\n";

class Romanizing : public ::testing::Test {
 protected:
  void SetUp() override {
    ModelOrError loaded = Model::FromText(TrainModel(ReadLexicon(kLexicon)));
    ASSERT_TRUE(std::holds_alternative<Model>(loaded)) << std::get<Error>(loaded).description();
    model_ = std::move(std::get<Model>(loaded));
    // कमल is known, काम far more used than कम.
    FrequenciesOrError table = WordFrequencies::FromBytes(
        EncodeFrequencies({{u"कम", 20}, {u"कमल", 40}, {u"काम", 120}, {u"नाम", 90}, {u"माला", 30}}));
    ASSERT_TRUE(std::holds_alternative<WordFrequencies>(table));
    words_ = std::move(std::get<WordFrequencies>(table));
  }

  std::vector<std::string> Words(const Romanizer& romanizer, std::u16string_view typed,
                                 std::size_t count = 5) {
    std::vector<std::string> words;
    for (const RomanCandidate& candidate : romanizer.Candidates(typed, count))
      words.push_back(Utf16ToUtf8(candidate.word));
    return words;
  }

  Model model_;
  WordFrequencies words_;
};

TEST_F(Romanizing, LearnedSpellingsComeFirstInAnyCase) {
  const Romanizer romanizer(model_, words_);
  EXPECT_EQ(Words(romanizer, u"kaala").front(), "काला");
  EXPECT_EQ(Words(romanizer, u"leela").front(), "लीला");
  EXPECT_EQ(Words(romanizer, u"KaAlA"), Words(romanizer, u"kaala"));
}

TEST_F(Romanizing, KnownWordsAndTheirUseOutweighCloseSpellings) {
  const Romanizer romanizer(model_, words_);
  // A short vowel typed for a long one still finds the much used word.
  EXPECT_EQ(Words(romanizer, u"kam").front(), "काम");
  EXPECT_EQ(Words(romanizer, u"kamal").front(), "कमल");
  const std::vector<std::string> kam = Words(romanizer, u"kam");
  EXPECT_NE(std::find(kam.begin(), kam.end(), "कम"), kam.end());
}

TEST_F(Romanizing, AWordNoListHoldsStillGetsASpelling) {
  const Romanizer romanizer(model_, words_);
  const std::vector<RomanCandidate> candidates = romanizer.Candidates(u"neela", 3);
  ASSERT_FALSE(candidates.empty());
  EXPECT_FALSE(candidates.front().known);
  EXPECT_EQ(Utf16ToUtf8(candidates.front().word), "नीला");
  // Without any table the free search alone answers.
  const WordFrequencies none;
  EXPECT_EQ(Words(Romanizer(model_, none), u"maala").front(), "माला");
}

TEST_F(Romanizing, ABoostPutsTheUsersWordFirst) {
  Romanizer romanizer(model_, words_);
  ASSERT_EQ(Words(romanizer, u"kam").front(), "काम");
  romanizer.options().boost = [](std::u16string_view word, bool) {
    return word == u"कम" ? 10.0 : 0.0;
  };
  EXPECT_EQ(Words(romanizer, u"kam").front(), "कम");
}

TEST_F(Romanizing, ExtraWordsAreFollowedAsKnownWords) {
  // With a narrow beam the free search keeps only its best spellings.
  const WordFrequencies none;
  RomanizerOptions narrow;
  narrow.beam = 2;
  Romanizer romanizer(model_, none, narrow);
  const std::vector<std::string> free = Words(romanizer, u"kal", 5);
  ASSERT_EQ(std::find(free.begin(), free.end(), "काल"), free.end());
  romanizer.SetExtraWords({u"काल", u"", u"काल", u"लाल"});
  EXPECT_TRUE(romanizer.IsExtraWord(u"काल"));
  EXPECT_FALSE(romanizer.IsExtraWord(u""));
  const std::vector<RomanCandidate> found = romanizer.Candidates(u"kal", 5);
  const auto kaal = std::find_if(found.begin(), found.end(),
                                 [](const RomanCandidate& c) { return c.word == u"काल"; });
  ASSERT_NE(kaal, found.end());
  EXPECT_TRUE(kaal->known);
}

TEST_F(Romanizing, WhatIsNotTheModelsGetsNothingAndAnyInputEnds) {
  const Romanizer romanizer(model_, words_);
  EXPECT_TRUE(romanizer.Candidates(u"", 5).empty());
  EXPECT_TRUE(romanizer.Candidates(u"kal2", 5).empty());
  EXPECT_TRUE(romanizer.Candidates(u"kal ", 5).empty());
  EXPECT_TRUE(romanizer.Candidates(u"कल", 5).empty());
  EXPECT_TRUE(romanizer.Candidates(u"kal", 0).empty());
  EXPECT_TRUE(romanizer.Candidates(std::u16string(Romanizer::kMaxLetters + 1, u'a'), 5).empty());
  // Letters the model never saw together, and the longest input, give at
  // most the candidates asked for, each word once and never empty.
  for (const std::u16string& typed :
       {std::u16string(u"qxwz~~y"), std::u16string(Romanizer::kMaxLetters, u'a'),
        std::u16string(u"~"), std::u16string(u"kalakalakalakalakalakalakalakala")}) {
    const std::vector<RomanCandidate> candidates = romanizer.Candidates(typed, 4);
    EXPECT_LE(candidates.size(), 4u);
    std::set<std::u16string> seen;
    for (const RomanCandidate& candidate : candidates) {
      EXPECT_FALSE(candidate.word.empty());
      EXPECT_TRUE(seen.insert(candidate.word).second);
    }
  }
}

TEST_F(Romanizing, AKnownWordMayHaveTheSignsAHurriedTypistLeftOut) {
  FrequenciesOrError table = WordFrequencies::FromBytes(
      EncodeFrequencies({{u"कहाँ", 50}, {u"ना", 30}, {u"नाम", 90}, {u"लीला", 40}}));
  ASSERT_TRUE(std::holds_alternative<WordFrequencies>(table));
  const WordFrequencies& words = std::get<WordFrequencies>(table);
  const Romanizer romanizer(model_, words);
  // A vowel after a consonant typed alone, a nasal after a typed vowel.
  EXPECT_EQ(Words(romanizer, u"nm").front(), "नाम");
  EXPECT_EQ(Words(romanizer, u"kaha").front(), "कहाँ");
  // A lone letter stands for the word, but a vowel left out at the end of
  // longer letters would make another word of them.
  EXPECT_EQ(Words(romanizer, u"n").front(), "ना");
  const std::vector<std::string> lil = Words(romanizer, u"lil", 10);
  EXPECT_EQ(std::find(lil.begin(), lil.end(), "लीला"), lil.end());
  // At no price, nothing is left out.
  RomanizerOptions exact;
  exact.untyped_vowel_cost = 0;
  exact.untyped_nasal_cost = 0;
  const Romanizer strict(model_, words, exact);
  const std::vector<std::string> nm = Words(strict, u"nm", 10);
  EXPECT_EQ(std::find(nm.begin(), nm.end(), "नाम"), nm.end());
}

TEST_F(Romanizing, AVowelLeftOutIsTheOneTheModelExpectsThere) {
  // कु is spelled far more often than का here; the table uses both words alike.
  ModelOrError loaded = Model::FromText(TrainModel(ReadLexicon(
      "kul\tकुल\t9\nkuch\tकुछ\t9\nsukh\tसुख\t9\nkaal\tकाल\t1\nlaal\tलाल\t1\nchal\tचल\t1\n")));
  ASSERT_TRUE(std::holds_alternative<Model>(loaded));
  FrequenciesOrError table =
      WordFrequencies::FromBytes(EncodeFrequencies({{u"काल", 50}, {u"कुल", 50}}));
  ASSERT_TRUE(std::holds_alternative<WordFrequencies>(table));
  // A beam of two keeps the consonant typed alone and one of the vowels it
  // may have been given: the likely one, not the first of a tie.
  RomanizerOptions narrow;
  narrow.beam = 2;
  const Romanizer romanizer(std::get<Model>(loaded), std::get<WordFrequencies>(table), narrow);
  EXPECT_EQ(Words(romanizer, u"kl").front(), "कुल");
}

// The search goes on from the last one's paths; whatever was asked before,
// the answer is the one a fresh search gives.
TEST_F(Romanizing, ASearchGoingOnFromTheLastAnswersAsAFreshOne) {
  const Romanizer typing(model_, words_);
  const std::vector<std::u16string> asked = {
      u"k",      u"ka",    u"kaa",
      u"kaal",   u"kaala", u"kaal",
      u"kaam",   u"KAAM",  u"nahin",
      u"nahiin", u"nah",   u"n",
      u"leela",  u"leela", u"le",
      u"kal2",   u"lee",   u"meenaaa",
      u"meena~", u"meen",  std::u16string(Romanizer::kMaxLetters, u'a'),
      u"aa",     u"km",    u"kml",
      u"kmla",   u"nm",    u"nhi"};
  for (const std::u16string& typed : asked) {
    SCOPED_TRACE(Utf16ToUtf8(typed));
    const Romanizer fresh(model_, words_);
    EXPECT_EQ(typing.Candidates(typed, 8), fresh.Candidates(typed, 8));
  }
  // New options start afresh.
  Romanizer narrowed(typing);
  narrowed.Candidates(u"kaala", 8);
  narrowed.options().beam = 2;
  const Romanizer fresh(model_, words_, narrowed.options());
  EXPECT_EQ(narrowed.Candidates(u"kaalaa", 8), fresh.Candidates(u"kaalaa", 8));
}

TEST_F(Romanizing, TheFreeSearchSpellsNoSignWhereNoneCanStand) {
  const WordFrequencies none;
  const Romanizer romanizer(model_, none);
  const auto vowel_sign = [](char16_t c) { return c >= 0x093E && c <= 0x094C; };
  const auto nasal = [](char16_t c) { return c >= 0x0900 && c <= 0x0903; };
  const auto consonant = [](char16_t c) { return (c >= 0x0915 && c <= 0x0939) || c == 0x093C; };
  for (const char16_t* typed : {u"aa", u"ii", u"aaii", u"~kal", u"kaa~~", u"eeaa", u"nahiin"})
    for (const RomanCandidate& candidate : romanizer.Candidates(typed, 10)) {
      const std::u16string& word = candidate.word;
      EXPECT_FALSE(vowel_sign(word.front()) || nasal(word.front()) || word.front() == 0x094D)
          << Utf16ToUtf8(word);
      for (std::size_t i = 1; i < word.size(); ++i) {
        if (vowel_sign(word[i])) {
          EXPECT_TRUE(consonant(word[i - 1])) << Utf16ToUtf8(word);
        }
        if (nasal(word[i])) {
          EXPECT_FALSE(nasal(word[i - 1]) || word[i - 1] == 0x094D) << Utf16ToUtf8(word);
        }
      }
    }
}

}  // namespace
}  // namespace lekhora::roman
