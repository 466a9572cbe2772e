#pragma once
// How much a string of Devanagari looks like a Hindi word: a model of which
// letter follows the four before it, counted over the words the program
// knows. The romanization model alone spells a word no list holds in ways
// no one writes (a long vowel where Hindi spelling has the inherent one, a
// cluster Hindi does not use); the letters of tens of thousands of real words
// say which of its spellings is the readable one.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>

#include "suggest/word_frequencies.h"

namespace lekhora::roman {

class LetterModel {
 public:
  /// A letter and the four before it.
  static constexpr std::size_t kOrder = 5;

  /// Knows no words: every word scores 0.
  LetterModel() = default;

  /// Each word of the table counted once: how words are spelled, not how
  /// often they are used (the romanizer weighs that apart). The same table
  /// gives the same model.
  static LetterModel FromWords(const WordFrequencies& words);

  bool empty() const { return ngrams_.empty(); }

  /// The natural logarithm of how likely word is, its letters one by one
  /// and then its end; never minus infinity, 0 for a model of no words.
  double LogProbability(std::u16string_view word) const;

 private:
  struct Context {
    float total = 0;
    float types = 0;
  };
  void Add(std::u16string_view word);

  // Keys: up to kOrder letter codes of 8 bits led by the number of them, so
  // that contexts and n-grams of every length share one map each.
  std::unordered_map<std::uint64_t, float> ngrams_;
  std::unordered_map<std::uint64_t, Context> contexts_;
};

}  // namespace lekhora::roman
