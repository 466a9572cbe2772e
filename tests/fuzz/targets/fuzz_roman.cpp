#include <cstddef>
#include <cstdint>

#include "tests/fuzz/roman_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lekhora::fuzz::CheckRoman(data, size);
  return 0;
}
