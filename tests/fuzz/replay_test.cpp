#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/fuzz/fuzz_checks.h"
#include "tests/fuzz/typing_checks.h"
#include "tests/fuzz/utf8_checks.h"
#include "tests/fuzz/word_list_checks.h"

namespace lekhora {
namespace {

namespace fs = std::filesystem;

using Check = void (*)(const std::uint8_t* data, std::size_t size);

// A fuzzer's saved inputs (its corpus and the crashes it found) and the
// check to run them through.
struct Inputs {
  const char* name;
  const char* target;
  Check check;
};

}  // namespace
}  // namespace lekhora
