#pragma once
// One spelling for canonically equivalent Devanagari. The word list is kept in
// Unicode normal form C, while the layouts type some nukta letters precomposed
// (z gives U+095B) and others as consonant and nukta (j then ! gives U+091C
// U+093C); the search folds what was typed the same way before it compares.
//
// The fold is normal form C restricted to the Devanagari block: the block's
// canonical decompositions and combining classes, and nothing from other
// scripts, which the word list does not hold.

#include <string>
#include <string_view>

namespace lekhora {

/// True when FoldCanonical would change text. Allocates nothing, so the search
/// can ask on every key.
bool NeedsCanonicalFold(std::u16string_view text);

/// text in normal form C into out (cleared first): U+0958..U+095F become the
/// consonant and U+093C, a nukta moves in front of a virama, and U+0928,
/// U+0930, U+0933 with a nukta become U+0929, U+0931, U+0934.
void FoldCanonical(std::u16string_view text, std::u16string& out);

/// typed as the word list spells it: typed itself, or its fold kept in
/// storage. Allocates only when a fold is needed.
std::u16string_view SearchForm(std::u16string_view typed, std::u16string& storage);

}  // namespace lekhora
