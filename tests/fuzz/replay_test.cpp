#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
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

void PrintTo(const Inputs& inputs, std::ostream* out) {
  *out << inputs.name;
}

class FuzzReplay : public ::testing::TestWithParam<Inputs> {};

// Runs the check over every saved input of the target; there must be some.
TEST_P(FuzzReplay, SavedInputsKeepEveryProperty) {
  int files = 0;
  for (const char* kind : {"corpus", "crashes"}) {
    const fs::path dir = fs::path(LEKHORA_FUZZ_DIR) / kind / GetParam().target;
    if (!fs::is_directory(dir)) continue;
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (!entry.is_regular_file() || entry.path().filename().string().starts_with(".")) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      SCOPED_TRACE(entry.path().string());
      GetParam().check(bytes.data(), bytes.size());
      ++files;
    }
  }
  EXPECT_GT(files, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, FuzzReplay,
    ::testing::Values(Inputs{"Decode", "decode", fuzz::CheckDecode},
                      Inputs{"RoundTrip", "roundtrip", fuzz::CheckRoundTrip},
                      // Raw inputs of the round trip are garbage to the decoder: it must cope.
                      Inputs{"RoundTripAsDecode", "roundtrip", fuzz::CheckDecode},
                      Inputs{"WordList", "word_list", fuzz::CheckWordList},
                      Inputs{"Utf8", "utf8", fuzz::CheckUtf8},
                      Inputs{"Typing", "typing", fuzz::CheckTyping}),
    [](const ::testing::TestParamInfo<Inputs>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lekhora
