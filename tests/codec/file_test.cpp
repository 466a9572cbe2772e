// Whole-file decoding and encoding: missing and empty sources, and a
// destination that is replaced only by a complete write.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <random>

#include "base/error.h"
#include "codec/file_io.h"
#include "codec/he3.h"
#include "codec/he3_format.h"

namespace lekhora {
namespace {

namespace fs = std::filesystem;

class FileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("lekhora-codec-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Write(const std::string& name, const Bytes& bytes) {
    const fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return p;
  }
  static Bytes Read(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
};

template <typename Fn>
Error Raised(Fn fn) {
  try {
    fn();
  } catch (const Error& e) {
    return e;
  }
  ADD_FAILURE() << "no error raised";
  return Error(0, "", "");
}

const Bytes kOld(100, 0xEE);
const Bytes kAbc = {'a', 'b', 'c'};

TEST_F(FileTest, FileExistsAsksForTheLength) {
  EXPECT_FALSE(FileExists(dir_ / "missing"));
  EXPECT_TRUE(FileExists(Write("empty", {})));
  EXPECT_FALSE(FileExists(dir_));
}

TEST_F(FileTest, DecodeFileFailures) {
  Error e = Raised([&] { DecodeFile(dir_ / "missing"); });
  EXPECT_EQ(e.number(), kCodecErrorNumber);
  EXPECT_EQ(e.source(), "clsHuffman.DecodeFile()");
  EXPECT_EQ(e.description(), "Source file does not exist");
  e = Raised([&] { DecodeFile(Write("empty", {})); });
  EXPECT_EQ(e.number(), kSubscriptOutOfRange);
  e = Raised([&] { DecodeFile(Write("plain", kAbc)); });
  EXPECT_EQ(e.number(), kSubscriptOutOfRange);  // fewer than four bytes
}

TEST_F(FileTest, EncodeFileThenDecodeFile) {
  const fs::path src = Write("src", kAbc);
  EncodeFile(src, dir_ / "dst");
  EXPECT_EQ(Read(dir_ / "dst").size(), 19u);
  EXPECT_EQ(DecodeFile(dir_ / "dst"), kAbc);
  EXPECT_EQ(Names(), (std::vector<std::string>{"dst", "src"}));
}

TEST_F(FileTest, EncodeFileReplacesALongerDestinationExactly) {
  const fs::path dst = Write("dst", kOld);
  EncodeFile(Write("src", kAbc), dst);
  Bytes expected = kAbc;
  Encode(expected, 3);
  EXPECT_EQ(Read(dst), expected);
}

TEST_F(FileTest, EncodeFileWithMissingOrEmptySourceLeavesTheDestination) {
  const fs::path dst = Write("dst", kOld);
  Error e = Raised([&] { EncodeFile(dir_ / "missing", dst); });
  EXPECT_EQ(e.number(), kCodecErrorNumber);
  EXPECT_EQ(e.source(), "clsHuffman.EncodeFile()");
  EXPECT_EQ(e.description(), "Source file does not exist");
  e = Raised([&] { EncodeFile(Write("empty", {}), dst); });
  EXPECT_EQ(e.number(), kSubscriptOutOfRange);
  EXPECT_EQ(Read(dst), kOld);
}

TEST_F(FileTest, EncodeFileIntoAnImpossiblePathRaisesTheFileError) {
  const fs::path notADir = Write("file", kOld);
  const Error e = Raised([&] { EncodeFile(Write("src", kAbc), notADir / "dst"); });
  EXPECT_EQ(e.number(), kPathNotFound);
  EXPECT_EQ(e.source(), "clsHuffman.EncodeFile()");
  EXPECT_NE(e.description().find("Path not found"), std::string::npos);
  EXPECT_EQ(Read(notADir), kOld);
  EXPECT_EQ(Names(), (std::vector<std::string>{"file", "src"}));
}

TEST_F(FileTest, FailedWriteKeepsTheOldDestinationAndRemovesTheTemporary) {
  // A file-size limit makes the write itself fail half-way, as a full disk would.
  Bytes big(200000);
  std::mt19937 rng(5);
  for (auto& b : big) b = static_cast<std::uint8_t>(rng());
  const fs::path src = Write("src", big);
  const fs::path dst = Write("dst", kOld);

  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit limited = saved;
  limited.rlim_cur = 4096;
  auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  const Error e = Raised([&] { EncodeFile(src, dst); });
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(e.number(), kDiskFull);
  EXPECT_EQ(e.source(), "clsHuffman.EncodeFile()");
  EXPECT_EQ(Read(dst), kOld);
  EXPECT_EQ(Names(), (std::vector<std::string>{"dst", "src"}));
}

TEST_F(FileTest, ReadFileBytesTakesOnlyRegularFilesWithinTheLimit) {
  // A FIFO without a writer would block an ordinary open; a device never ends.
  const fs::path fifo = dir_ / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  Error e = Raised([&] { ReadFileBytes(fifo, "test"); });
  EXPECT_EQ(e.number(), kPathFileAccessError);
  EXPECT_NE(e.description().find("not a regular file"), std::string::npos);
  EXPECT_EQ(Raised([&] { ReadFileBytes("/dev/zero", "test"); }).number(), kPathFileAccessError);
  EXPECT_EQ(Raised([&] { ReadFileBytes(dir_, "test"); }).number(), kPathFileAccessError);
  EXPECT_EQ(Raised([&] { DecodeFile(fifo); }).number(), kCodecErrorNumber);

  const fs::path four = Write("four", {1, 2, 3, 4});
  EXPECT_EQ(ReadFileBytes(four, "test", 4).size(), 4u);
  e = Raised([&] { ReadFileBytes(four, "test", 3); });
  EXPECT_EQ(e.number(), kOverflow);
  EXPECT_EQ(e.source(), "test");
}

}  // namespace
}  // namespace lekhora
