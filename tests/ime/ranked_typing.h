#pragma once
// What the tests of ranked sessions share: three words of one prefix and
// keys typed in a row.

#include <string>
#include <string_view>

#include "ime/input_session.h"

namespace lekhora {

inline const std::u16string kaam = u"काम", kaar = u"कार", kaal = u"काल";

/// What the last of keys did.
inline SessionActions TypeAll(InputSession& s, std::string_view keys) {
  SessionActions last;
  for (char k : keys) last = s.Key(CharacterKey(static_cast<char32_t>(k)));
  return last;
}

}  // namespace lekhora
