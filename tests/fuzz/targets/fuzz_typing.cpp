#include <cstddef>
#include <cstdint>

#include "tests/fuzz/typing_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lekhora::fuzz::CheckTyping(data, size);
  return 0;
}
