#pragma once
// Arithmetic on the program's 16-bit signed quantities (key codes, list
// indexes, counts, code points): a result outside the range is the overflow
// error, never a wrap-around.

#include <cstdint>
#include <limits>

#include "base/error.h"

namespace lekhora {

/// A count or index narrowed to 16 bits; throws OverflowError when it does not fit.
inline std::int16_t CheckedNarrow16(std::int64_t value) {
  if (value < std::numeric_limits<std::int16_t>::min() ||
      value > std::numeric_limits<std::int16_t>::max())
    throw OverflowError();
  return static_cast<std::int16_t>(value);
}

/// a + b as a 16-bit signed value; throws OverflowError when it does not fit.
inline std::int16_t CheckedAdd16(std::int32_t a, std::int32_t b) {
  return CheckedNarrow16(static_cast<std::int64_t>(a) + b);
}

}  // namespace lekhora
