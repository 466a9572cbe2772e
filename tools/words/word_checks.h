#pragma once
// The spelling checks every entry of the bundled word list passes: well-formed
// Devanagari, one code-unit spelling per word. tools/wordlist/make_wordlist.py
// applies the same rules, under the same names, when it builds the list.

#include <cstddef>
#include <optional>
#include <string_view>

namespace lekhora::words {

/// The rules, in the order they are tried at each code unit; normal form C is
/// tried last, on the whole word.
enum class WordRule {
  kEmpty,             // no code unit at all
  kLetters,           // only Devanagari letters, signs, nukta and joiners
  kJoiner,            // ZWJ or ZWNJ only between a virama and a consonant
  kSignAtStart,       // no vowel sign, virama or other sign at the start or
                      // after an independent vowel
  kTwoVowelSigns,     // no two dependent vowel signs in a row
  kViramaBeforeSign,  // no virama before a vowel sign
  kNukta,             // a nukta only after a consonant that has none yet
  kDoubledNasal,      // anusvara and candrabindu never doubled
  kMisplacedSign,     // a vowel sign or virama only after a consonant or its
                      // nukta; no sign after a virama or visarga
  kNormalFormC,       // the word in Unicode normal form C
};

struct WordFault {
  WordRule rule;
  std::size_t at;  // the code unit where the rule fails (0 for the whole word)
};

/// The first rule word breaks, or nothing when it passes them all.
std::optional<WordFault> CheckWord(std::u16string_view word);

/// The rule's short name, as the word list script reports it ("two-vowel-signs").
std::string_view RuleName(WordRule rule);
/// A sentence for a maintainer ("two dependent vowel signs in a row").
std::string_view RuleText(WordRule rule);

}  // namespace lekhora::words
