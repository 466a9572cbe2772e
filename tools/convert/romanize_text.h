#pragma once
// Hindi typed in Latin letters, converted word by word with the romanization
// model: what lekhora-convert does for the IntelligentRoman layout.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "roman/romanizer.h"

namespace lekhora {

/// The words of text: runs of anything but white space and punctuation.
/// Each comes with where it starts.
struct TextWord {
  std::size_t start = 0;
  std::u16string_view word;
};
std::vector<TextWord> SplitWords(std::u16string_view text);

/// text with each word of Latin letters alone (a..z, A..Z, '~') replaced by
/// its best candidate; every other character, and a word the model has no
/// candidate for, stays as it is.
std::u16string RomanizeText(const roman::Romanizer& romanizer, std::u16string_view text);

/// A line for each word of text: its count best candidates separated by
/// tabs, or the word itself when it is not Latin letters alone or has none.
std::u16string CandidateLines(const roman::Romanizer& romanizer, std::u16string_view text,
                              std::size_t count);

}  // namespace lekhora
