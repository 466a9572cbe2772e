#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/fuzz/frequency_checks.h"
#include "tests/fuzz/fuzz_checks.h"
#include "tests/fuzz/roman_checks.h"
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

constexpr Inputs kTargets[] = {
    {"Decode", "decode", fuzz::CheckDecode},
    {"RoundTrip", "roundtrip", fuzz::CheckRoundTrip},
    // Raw inputs of the round trip are garbage to the decoder: it must cope.
    {"RoundTripAsDecode", "roundtrip", fuzz::CheckDecode},
    {"WordList", "word_list", fuzz::CheckWordList},
    {"Utf8", "utf8", fuzz::CheckUtf8},
    {"Typing", "typing", fuzz::CheckTyping},
    {"Frequencies", "frequencies", fuzz::CheckFrequencies},
    {"Roman", "roman", fuzz::CheckRoman},
};

// Runs the target's check over every saved input; returns how many there were.
int Replay(const Inputs& inputs) {
  int files = 0;
  for (const char* kind : {"corpus", "crashes"}) {
    const fs::path dir = fs::path(LEKHORA_FUZZ_DIR) / kind / inputs.target;
    if (!fs::is_directory(dir)) continue;
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (!entry.is_regular_file() || entry.path().filename().string().starts_with(".")) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      SCOPED_TRACE(entry.path().string());
      inputs.check(bytes.data(), bytes.size());
      ++files;
    }
  }
  return files;
}

TEST(FuzzReplay, SavedInputsOfEveryTargetKeepItsProperties) {
  for (const Inputs& inputs : kTargets) {
    SCOPED_TRACE(inputs.name);
    EXPECT_GT(Replay(inputs), 0);
  }
}

}  // namespace
}  // namespace lekhora
