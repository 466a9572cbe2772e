#include <cstddef>
#include <cstdint>

#include "tests/fuzz/frequency_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lekhora::fuzz::CheckFrequencies(data, size);
  return 0;
}
