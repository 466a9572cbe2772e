#include "suggest/word_lists.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/read_whole_file.h"
#include "base/utf16.h"
#include "codec/he3.h"
#include "codec/he3_format.h"
#include "suggest/candidates.h"
#include "temp_folder.h"

namespace lekhora {
namespace {

using Entries = WordArray;
using test::TempFolder;

void WriteCompressed(const TempFolder& folder, std::u16string_view text) {
  Bytes bytes = Utf16ToBytes(text);
  Encode(bytes, static_cast<std::int32_t>(bytes.size()));
  folder.Write("hnhugeenc.txt", bytes);
}

// n words "w00000".."w<n-1>", each ended by CR LF.
std::u16string NumberedList(int n) {
  std::u16string text;
  for (int i = 0; i < n; ++i) {
    std::u16string word = u"w00000";
    for (int at = 5, v = i; at > 0; --at, v /= 10) word[at] = static_cast<char16_t>(u'0' + v % 10);
    text += word + u"\r\n";
  }
  return text;
}

TEST(FillWordList, EachEntryIsItsLineWhateverItsUnits) {
  WordLists lists;
  FillWordList(u"", lists);
  EXPECT_TRUE(lists.WordList.empty());
  EXPECT_EQ(lists.WordList.begin(), lists.WordList.end());
  EXPECT_EQ(lists.WordCount, -1);

  // Empty lines, a surrogate pair, and words that are prefixes of the next:
  // a view running into its neighbour would read "\u0915\u0915\u092E".
  const std::u16string emoji = u"\U0001F600";
  FillWordList(u"\r\n\u0915\r\n\u0915\u092E\r\n" + emoji + u"x\r\n\r\n", lists);
  const std::vector<std::u16string> lines = {u"",          u"\u0915", u"\u0915\u092E",
                                             emoji + u"x", u"",       u""};
  ASSERT_EQ(lists.WordList.size(), 6);
  for (int i = 0; i < lists.WordList.size(); ++i) EXPECT_EQ(lists.WordList[i], lines[i]) << i;
  EXPECT_TRUE(std::ranges::equal(lists.WordList, lines));
  EXPECT_EQ(lists.WordList, WordArray(lines));
  EXPECT_NE((WordArray{u"ab", u""}), (WordArray{u"a", u"b"}));
  EXPECT_THROW(lists.WordList.at(6), std::out_of_range);
  EXPECT_EQ(lists.WordCount, 5);
  // One allocation of the units without the separators, and one of the ends.
  EXPECT_EQ(lists.WordList.HeapBytes(), (1 + 2 + 3) * sizeof(char16_t) + 6 * sizeof(std::uint32_t));

  const auto found = [&lists](std::u16string_view prefix) {
    const PrefixRange range = FindPrefix(lists, prefix, 1);
    return std::pair(range.First, range.Last);
  };
  EXPECT_EQ(found(u"\u0915"), std::pair(1, 3));
  EXPECT_EQ(found(u"\u0915\u0915"), std::pair(2, 2));
  EXPECT_EQ(found(emoji.substr(0, 1)), std::pair(3, 4));
}

TEST(LoadDictionary, OnlyLinesBeforeTheLastCrLfAreSearched) {
  // With a final CR LF the empty last entry is left out of the search;
  // without one the last word is.
  for (const auto& [text, entries] :
       {std::pair<std::u16string, Entries>{u"a\r\nb\r\n", {u"a", u"b", u""}},
        std::pair<std::u16string, Entries>{u"a\r\nb\r\nc", {u"a", u"b", u"c"}}}) {
    TempFolder folder;
    WriteCompressed(folder, text);
    WordLists lists;
    LoadDictionary(folder.path(), lists);
    EXPECT_EQ(lists.WordList, entries);
    EXPECT_EQ(lists.WordCount, 2);
  }
}

TEST(LoadDictionary, MissingOrDamagedListGivesNoEntriesAndCountMinusOne) {
  TempFolder folder;
  WordLists missing;
  LoadDictionary(folder.path(), missing);
  EXPECT_TRUE(missing.WordList.empty());
  EXPECT_EQ(missing.WordCount, -1);

  // Plain text is not HE3; an empty file cannot even be sized.
  for (const std::vector<std::uint8_t>& bytes :
       {Utf16ToBytes(u"a\r\nb\r\n"), std::vector<std::uint8_t>{}}) {
    folder.Write("hnhugeenc.txt", bytes);
    WordLists damaged;
    LoadDictionary(folder.path(), damaged);
    EXPECT_TRUE(damaged.WordList.empty());
    EXPECT_EQ(damaged.WordCount, -1);
  }
}

TEST(LoadDictionary, SixteenBitLimitOnTheEntryCount) {
  TempFolder folder;
  // 32 767 words and the empty entry: the largest list that can be counted.
  WriteCompressed(folder, NumberedList(32767));
  WordLists full;
  LoadDictionary(folder.path(), full);
  EXPECT_EQ(full.WordList.size(), 32768);
  EXPECT_EQ(full.WordCount, 32767);

  // One more: the list is filled, but counting it overflows and is skipped.
  WriteCompressed(folder, NumberedList(32768));
  WordLists over;
  LoadDictionary(folder.path(), over);
  EXPECT_EQ(over.WordList.size(), 32769);
  EXPECT_EQ(over.WordCount, 0);
}

TEST(FillWordList, OverflowIsReportedAfterTheListIsFilled) {
  WordLists lists;
  try {
    FillWordList(NumberedList(32768), lists);
    FAIL() << "no overflow";
  } catch (const Error& error) {
    EXPECT_EQ(error.number(), kOverflow);
  }
  EXPECT_EQ(lists.WordList.size(), 32769);
  EXPECT_EQ(lists.WordCount, 0);
}

TEST(ReadWholeFile, OddLengthEndsWithAUnitWhoseHighByteIsZero) {
  TempFolder folder;
  folder.Write("odd.txt", {0x41, 0x00, 0x0D, 0x00, 0x0A, 0x00, 0x15});
  EXPECT_EQ(ReadWholeFile(folder / "odd.txt"), std::u16string(u"A\r\n\u0015"));
}

TEST(ReadWholeFile, FailsWhenTheFileCanNeitherBeReadNorCreated) {
  TempFolder folder;
  EXPECT_THROW(ReadWholeFile(folder / "no" / "such.txt"), Error);
  std::filesystem::create_directory(folder / "dir.txt");
  EXPECT_THROW(ReadWholeFile(folder / "dir.txt"), Error);
}

TEST(ReadWholeFile, ReadsOnlyRegularFilesWithinItsBound) {
  // A FIFO would block the start-up, /dev/zero would fill the memory: both are
  // unreadable, as is a file over the bound; none is created or touched.
  TempFolder folder;
  const std::filesystem::path fifo = folder / "customwords.txt";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_THROW(ReadWholeFile(fifo), Error);
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  std::filesystem::remove(fifo);
  std::filesystem::create_symlink("/dev/zero", fifo);
  EXPECT_THROW(ReadWholeFile(fifo), Error);
  folder.Write("big.txt", std::vector<std::uint8_t>(kMaxTextFileBytes + 1, 0x41));
  try {
    ReadWholeFile(folder / "big.txt");
    ADD_FAILURE() << "a file over the bound was read";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kOverflow);
  }
  folder.Write("small.txt", {0x41, 0x00});
  EXPECT_EQ(ReadWholeFile(folder / "small.txt", 2), u"A");
  EXPECT_THROW(ReadWholeFile(folder / "small.txt", 1), Error);
}

TEST(ReadWholeFile, ReadsAMissingFileEmptyWithoutCreatingItWhenAsked) {
  TempFolder folder;
  EXPECT_EQ(ReadWholeFile(folder / "help.txt", kMaxTextFileBytes, IfMissing::kReadEmpty), u"");
  EXPECT_FALSE(std::filesystem::exists(folder / "help.txt"));
  EXPECT_EQ(ReadWholeFile(folder / "list.txt"), u"");
  EXPECT_TRUE(std::filesystem::exists(folder / "list.txt"));
}

TEST(ReadWholeFile, CreatesOnlyWhereThePathSaysExactly) {
  // A relative path, or a program folder that cannot be told (empty), would
  // put files into whatever the current folder is.
  const std::string name = "lekhora-relative-" + std::to_string(::getpid()) + ".txt";
  EXPECT_THROW(ReadWholeFile(name), Error);
  EXPECT_FALSE(std::filesystem::exists(name));
  WordLists lists;
  LoadDictionary({}, lists);
  EXPECT_TRUE(lists.WordList.empty());
  EXPECT_EQ(lists.WordCount, -1);
  EXPECT_TRUE(RunMaintenanceCommand({}).has_value());
}

TEST(RunMaintenanceCommand, MissingSourceLeavesTheCompressedListUntouched) {
  TempFolder folder;
  folder.Write("hnhugeenc.txt", {1, 2, 3});
  const std::optional<Error> error = RunMaintenanceCommand(folder.path());
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->number(), kCodecErrorNumber);
  EXPECT_EQ(error->description(), "Source file does not exist");
  EXPECT_EQ(folder.Read("hnhugeenc.txt"), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(RunMaintenanceCommand, RebuildsTheListThatStartUpLoads) {
  TempFolder folder;
  folder.Write("hnhugeenc.txt", std::vector<std::uint8_t>(5000, 7));  // old and longer
  folder.WriteText("hnhuge.txt", u"\u0915\r\n\u0915\u092E\r\n");
  EXPECT_FALSE(RunMaintenanceCommand(folder.path()).has_value());
  WordLists lists;
  LoadDictionary(folder.path(), lists);
  EXPECT_EQ(lists.WordList, (Entries{u"\u0915", u"\u0915\u092E", u""}));
  EXPECT_EQ(lists.WordCount, 2);
}

}  // namespace
}  // namespace lekhora
