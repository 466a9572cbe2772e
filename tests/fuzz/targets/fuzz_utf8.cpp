#include <cstddef>
#include <cstdint>

#include "tests/fuzz/utf8_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lekhora::fuzz::CheckUtf8(data, size);
  return 0;
}
