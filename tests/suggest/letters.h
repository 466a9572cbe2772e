#pragma once
// The Devanagari letters the suggestion tests build their word lists from.

#include <string>

namespace lekhora::testing {

inline const std::u16string kKa = u"\u0915";   // ka
inline const std::u16string kMa = u"\u092E";   // ma
inline const std::u16string kLa = u"\u0932";   // la
inline const std::u16string kKha = u"\u0916";  // kha
inline const std::u16string kGa = u"\u0917";   // ga
inline const std::u16string kAa = u"\u093E";   // vowel sign aa

}  // namespace lekhora::testing
