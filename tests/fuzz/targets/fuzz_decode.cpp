#include <cstddef>
#include <cstdint>

#include "tests/fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lekhora::fuzz::CheckDecode(data, size);
  return 0;
}
