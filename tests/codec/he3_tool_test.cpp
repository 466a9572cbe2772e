// lekhora-he3's commands, run on streams and temporary files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/he3/he3_commands.h"

namespace lekhora {
namespace {

struct Result {
  int status;
  std::string out;
  std::string err;
};

Result RunTool(const std::vector<std::string>& args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = he3tool::Run(args, in, out, err);
  return {status, out.str(), err.str()};
}

const std::string kAbcEncoded(
    "\x48\x45\x33\x0D\x60\x03\x00\x00\x00\x03\x00\x61\x02\x62\x02\x63\x01\x0D\x0D", 19);

TEST(He3Tool, StreamsInAndOut) {
  EXPECT_EQ(RunTool({"encode", "-", "-"}, "abc").out, kAbcEncoded);
  EXPECT_EQ(RunTool({"decode", "-", "-"}, kAbcEncoded).out, "abc");
  EXPECT_EQ(RunTool({"encode", "-", "-"}, "").out, std::string("HE0\r"));
}

TEST(He3Tool, FilesThroughTheCodec) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("lekhora-he3-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "words.txt", std::ios::binary) << "abcabc";
  ASSERT_EQ(RunTool({"encode", (dir / "words.txt").string(), (dir / "enc.txt").string()}).status,
            0);
  ASSERT_EQ(RunTool({"decode", (dir / "enc.txt").string(), (dir / "dec.txt").string()}).status, 0);
  std::ifstream dec(dir / "dec.txt", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(dec), {}), "abcabc");
  const Result info = RunTool({"info", (dir / "enc.txt").string()});
  EXPECT_EQ(info.status, 0);
  EXPECT_EQ(info.out,
            "variant: HE3 (compressed)\nlength: 6\ncoded symbols: 3\nlongest code: 2 bits\n"
            "checksum: holds\n");
  fs::remove_all(dir);
}

TEST(He3Tool, FailuresAndUsage) {
  Result r = RunTool({"decode", "/nonexistent/x", "-"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(
      r.err,
      "lekhora-he3: Error -2147221504 (clsHuffman.DecodeFile()): Source file does not exist\n");
  std::string corrupt = kAbcEncoded;
  corrupt[4] = 0x61;
  r = RunTool({"info", "-"}, corrupt);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("checksum: does not hold"), std::string::npos);
  EXPECT_NE(r.err.find("checksum did not match"), std::string::npos);
  r = RunTool({"decode", "-", "-"}, "HE");
  EXPECT_EQ(r.err, "lekhora-he3: Error 9 (Lekhora): Subscript out of range\n");
  for (const auto& args : std::vector<std::vector<std::string>>{
           {}, {"encode", "a"}, {"pack", "a", "b"}, {"info", "a", "b"}}) {
    r = RunTool(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("usage: lekhora-he3"), std::string::npos);
  }
}

}  // namespace
}  // namespace lekhora
