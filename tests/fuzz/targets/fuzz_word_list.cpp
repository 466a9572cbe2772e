#include <cstddef>
#include <cstdint>

#include "tests/fuzz/word_list_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lekhora::fuzz::CheckWordList(data, size);
  return 0;
}
