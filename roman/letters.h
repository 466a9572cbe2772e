#pragma once
// The letters the romanization model reads and writes: Latin letters typed
// loosely, and Devanagari split into the groups a typist spells as one.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lekhora::roman {

/// The Latin letters the model knows: a..z (either case) and '~', which
/// people type for a nasal. Each is a code 1..27; 0 for anything else.
std::uint32_t LatinCode(char16_t unit);

/// text in lower case when every unit is one of the model's letters, and
/// nothing otherwise: a word with digits or other scripts is not the model's.
std::optional<std::string> LatinWord(std::u16string_view text);

/// One to three Latin letters packed into a number, three codes of five bits:
/// the key by which the model finds what a group of letters may stand for.
/// 0 for an empty group, a longer one or a letter that is not the model's.
std::uint32_t PackLatin(std::string_view letters);

/// The Devanagari of word in the groups a typist spells as one: a consonant
/// with its nukta and virama, a vowel sign, an independent vowel, each with
/// the nasal sign or visarga that follows it. The word is folded first, so
/// a nukta letter is the consonant and U+093C whichever way it came.
std::vector<std::u16string> DevanagariGroups(std::u16string_view word);

/// True when every unit of text lies in the Devanagari block.
bool IsDevanagari(std::u16string_view text);

}  // namespace lekhora::roman
