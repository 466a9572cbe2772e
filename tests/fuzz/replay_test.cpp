#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/fuzz/fuzz_checks.h"
#include "tests/fuzz/typing_checks.h"
#include "tests/fuzz/utf8_checks.h"
#include "tests/fuzz/word_list_checks.h"

namespace lekhora {
namespace {

namespace fs = std::filesystem;

// Runs check over every file of the folders; returns how many there were.
template <typename Check>
int Replay(const std::vector<std::string>& folders, Check check) {
  int files = 0;
  for (const std::string& folder : folders) {
    const fs::path dir = fs::path(LEKHORA_FUZZ_DIR) / folder;
    if (!fs::is_directory(dir)) continue;
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (!entry.is_regular_file() || entry.path().filename().string().starts_with(".")) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      SCOPED_TRACE(entry.path().string());
      check(bytes.data(), bytes.size());
      ++files;
    }
  }
  return files;
}

TEST(FuzzReplay, DecodeInputs) {
  EXPECT_GT(Replay({"corpus/decode", "crashes/decode"}, fuzz::CheckDecode), 0);
}

TEST(FuzzReplay, RoundTripInputs) {
  EXPECT_GT(Replay({"corpus/roundtrip", "crashes/roundtrip"}, fuzz::CheckRoundTrip), 0);
}

TEST(FuzzReplay, RoundTripInputsAlsoDecodeSafely) {
  // Raw inputs of the round trip are garbage to the decoder: it must cope.
  EXPECT_GT(Replay({"corpus/roundtrip", "crashes/roundtrip"}, fuzz::CheckDecode), 0);
}

TEST(FuzzReplay, WordListInputs) {
  EXPECT_GT(Replay({"corpus/word_list", "crashes/word_list"}, fuzz::CheckWordList), 0);
}

TEST(FuzzReplay, Utf8Inputs) {
  EXPECT_GT(Replay({"corpus/utf8", "crashes/utf8"}, fuzz::CheckUtf8), 0);
}

TEST(FuzzReplay, TypingInputs) {
  EXPECT_GT(Replay({"corpus/typing", "crashes/typing"}, fuzz::CheckTyping), 0);
}

}  // namespace
}  // namespace lekhora
