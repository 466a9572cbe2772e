#include "ui/user_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "base/utf16.h"
#include "tests/suggest/temp_folder.h"

namespace lekhora {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::TempFolder;

Bytes Utf8(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

UserFileState StateOf(UserFileKind kind, const Bytes& bytes) {
  return JudgeUserFile(kind, bytes).State;
}

std::string ProblemOf(UserFileKind kind, const Bytes& bytes) {
  return JudgeUserFile(kind, bytes).Problem;
}

// 2024-03-05 06:07:08 UTC.
std::chrono::system_clock::time_point SomeMoment() {
  using namespace std::chrono;
  return sys_days{year{2024} / 3 / 5} + hours{6} + minutes{7} + seconds{8};
}

TEST(JudgeUserFile, WordListsAreWholeUtf16Text) {
  constexpr auto kList = UserFileKind::WordList;
  EXPECT_EQ(StateOf(kList, Utf16ToBytes(u"head\r\n\u0915\r\n")), UserFileState::Usable);
  // A pair of surrogates and a byte-order mark are text.
  EXPECT_EQ(StateOf(kList, Utf16ToBytes(u"\uFEFFh\r\n\U0001F600")), UserFileState::Usable);
  EXPECT_EQ(StateOf(kList, {}), UserFileState::Empty);

  Bytes cut = Utf16ToBytes(u"head\r\n\u0915");
  cut.pop_back();
  EXPECT_EQ(ProblemOf(kList, cut), "truncated");
  EXPECT_EQ(ProblemOf(kList, Utf16ToBytes(u"h\r\n\xD83D")), "truncated");  // half a pair at the end
  EXPECT_EQ(ProblemOf(kList, Utf16ToBytes(u"h\r\n\xD83Dx")), "binary");
  EXPECT_EQ(ProblemOf(kList, Utf16ToBytes(u"h\r\n\xDE00")), "binary");
  EXPECT_EQ(ProblemOf(kList, Bytes{0x68, 0, 0, 0}), "binary");          // U+0000
  EXPECT_EQ(ProblemOf(kList, Bytes{0xFE, 0xFF, 0, 0x68}), "binary");    // big-endian
  EXPECT_EQ(StateOf(kList, Bytes{0x89, 0x50}), UserFileState::Usable);  // no way to tell
  EXPECT_EQ(JudgeUserFile(kList, Bytes(kUserFileLimit + 2, 0x41)).Problem, "larger than 16 MB");
  EXPECT_EQ(StateOf(kList, Bytes(kUserFileLimit, 0x41)), UserFileState::Usable);
}

TEST(JudgeUserFile, Utf8FilesEndWithALineFeed) {
  constexpr auto kLines = UserFileKind::Utf8Lines;
  EXPECT_EQ(StateOf(kLines, Utf8("[General]\nlayout=Phonetic\n")), UserFileState::Usable);
  // The text box's control characters stay text (they come in by pasting).
  EXPECT_EQ(StateOf(kLines, Utf8("\t\x07\xE0\xA4\x95\r\n")), UserFileState::Usable);
  EXPECT_EQ(StateOf(kLines, {}), UserFileState::Empty);
  EXPECT_EQ(ProblemOf(kLines, Utf8("layout=Phon")), "truncated");
  EXPECT_EQ(ProblemOf(kLines, Utf8("\xE0\xA4\x95\xE0\xA4")), "truncated");  // KA and half the next
  EXPECT_EQ(ProblemOf(kLines, Utf8("\xE0\xA4x\n")), "binary");
  EXPECT_EQ(ProblemOf(kLines, Bytes{0xFF, 0xFE, 'h', 0, '\n'}), "binary");
  EXPECT_EQ(ProblemOf(kLines, Bytes{'a', 0, '\n'}), "binary");
  EXPECT_EQ(ProblemOf(kLines, Bytes{0x89, 'P', 'N', 'G', '\n'}), "binary");
}

TEST(ReadUserFile, OnlyRegularReadableFilesOfAtMost16MegabytesAreRead) {
  TempFolder folder;
  EXPECT_EQ(ReadUserFile(folder / "none", UserFileKind::Utf8Lines).State, UserFileState::Missing);
  folder.Write("ok", Utf8("a\n"));
  const UserFileRead ok = ReadUserFile(folder / "ok", UserFileKind::Utf8Lines);
  EXPECT_EQ(ok.State, UserFileState::Usable);
  EXPECT_EQ(ok.Bytes, Utf8("a\n"));

  std::filesystem::create_directory(folder / "dir");
  const UserFileRead dir = ReadUserFile(folder / "dir", UserFileKind::Utf8Lines);
  EXPECT_EQ(dir.State, UserFileState::Unusable);
  EXPECT_EQ(dir.Problem, "not a regular file");
  // A pipe would block a reader that opened it.
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
  EXPECT_EQ(ReadUserFile(folder / "fifo", UserFileKind::WordList).State, UserFileState::Unusable);

  // Too large: judged by its size alone.
  folder.Write("huge", {});
  std::filesystem::resize_file(folder / "huge", kUserFileLimit + 1);
  EXPECT_EQ(ReadUserFile(folder / "huge", UserFileKind::WordList).Problem, "larger than 16 MB");

  folder.Write("locked", Utf8("a\n"));
  std::filesystem::permissions(folder / "locked", std::filesystem::perms::none);
  if (::geteuid() != 0) {  // the superuser reads it all the same
    const UserFileRead locked = ReadUserFile(folder / "locked", UserFileKind::Utf8Lines);
    EXPECT_EQ(locked.State, UserFileState::Unusable);
    EXPECT_EQ(locked.Problem, "unreadable");
  }
}

TEST(DamagedFile, IsSetAsideUnderATimestampedNameThatTakesNoOther) {
  TempFolder folder;
  const auto file = folder / "customwords.txt";
  EXPECT_EQ(DamagedFileName(file, SomeMoment()).filename(),
            "customwords.txt.damaged-20240305-060708");
  folder.Write("customwords.txt", {1, 2, 3});
  const auto first = SetDamagedFileAside(file, SomeMoment());
  ASSERT_TRUE(first.has_value());
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(folder.Read(first->filename().string()), (Bytes{1, 2, 3}));

  // The same second again: the earlier one is kept.
  folder.Write("customwords.txt", {4});
  const auto second = SetDamagedFileAside(file, SomeMoment());
  ASSERT_TRUE(second.has_value());
  EXPECT_EQ(second->filename(), "customwords.txt.damaged-20240305-060708-2");
  EXPECT_EQ(folder.Read(first->filename().string()), (Bytes{1, 2, 3}));
  EXPECT_EQ(DamagedFileName(file, SomeMoment()).filename(),
            "customwords.txt.damaged-20240305-060708-3");
  EXPECT_FALSE(SetDamagedFileAside(folder / "gone", SomeMoment()).has_value());
}

TEST(RemoveStaleTemporaries, RemovesOnlyWhatASaveOfThatFileLeft) {
  TempFolder folder;
  const std::string stale = ".text.txt.0123456789abcdef.tmp";
  for (const std::string& name :
       {stale, std::string(".text.txt.0123.tmp"), std::string(".other.txt.0123456789abcdef.tmp"),
        std::string("text.txt")})
    folder.Write(name, {1});
  RemoveStaleTemporaries(folder / "text.txt");
  EXPECT_FALSE(std::filesystem::exists(folder / stale));
  EXPECT_TRUE(std::filesystem::exists(folder / ".text.txt.0123.tmp"));
  EXPECT_TRUE(std::filesystem::exists(folder / ".other.txt.0123456789abcdef.tmp"));
  EXPECT_TRUE(std::filesystem::exists(folder / "text.txt"));
  RemoveStaleTemporaries(folder / "missing" / "text.txt");  // no folder: nothing happens
}

TEST(TextFile, KeepsTheTextAsUtf8WithAFinalLineFeed) {
  const std::u16string text = u"\u0915\u093E\nab\n";
  const Bytes bytes = TextFileBytes(text);
  EXPECT_EQ(bytes, Utf8("\xE0\xA4\x95\xE0\xA4\xBE\nab\n\n"));
  EXPECT_EQ(JudgeUserFile(UserFileKind::Utf8Lines, bytes).State, UserFileState::Usable);
  EXPECT_EQ(TextFromFileBytes(bytes), text);
  // Even an empty text is a file the pad can tell from a cut one.
  EXPECT_EQ(TextFileBytes(u""), Utf8("\n"));
  EXPECT_EQ(TextFromFileBytes(Utf8("\n")), u"");
}

}  // namespace
}  // namespace lekhora
