#pragma once
// Word-list loading on arbitrary bytes, as start-up and lekhora-words meet
// them: the bytes as customwords.txt (through ReadWholeFile and the user's
// list reader) and as hnhugeenc.txt through the list rules, and every entry
// through the spelling checks. Nothing may escape, and what is loaded must follow the rules.

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "base/read_whole_file.h"
#include "base/utf16.h"
#include "suggest/word_lists.h"
#include "tests/fuzz/fuzz_checks.h"
#include "text/lines.h"
#include "tools/words/word_checks.h"
#include "userdata/user_file.h"
#include "userdata/user_word_store.h"

namespace lekhora::fuzz {

// One folder per process, removed at exit; in memory where the system has
// such a place, since every input is written twice.
inline const std::filesystem::path& ListFolder() {
  static const struct Folder {
    std::filesystem::path path =
        (std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                   : std::filesystem::temp_directory_path()) /
        ("lekhora-fuzz-lists-" + std::to_string(::getpid()));
    Folder() { std::filesystem::create_directories(path); }
    ~Folder() {
      std::error_code ec;
      std::filesystem::remove_all(path, ec);
    }
  } folder;
  return folder.path;
}

inline void WriteBytes(const std::filesystem::path& path, const std::uint8_t* data,
                       std::size_t size) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

template <typename Words>
void CheckEntries(const Words& entries) {
  for (const std::u16string_view word : entries) {
    const auto fault = words::CheckWord(word);
    if (fault && fault->at > word.size()) Violated("a spelling fault points past its word");
    if (fault && words::RuleName(fault->rule).empty()) Violated("a spelling fault has no name");
    if (word.empty() && (!fault || fault->rule != words::WordRule::kEmpty))
      Violated("an empty word passes the spelling checks");
  }
}

/// Any bytes: read back exactly, split by CR LF, loaded without an escape.
inline void CheckWordList(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path& folder = ListFolder();
  const std::vector<std::uint8_t> bytes(data, data + size);
  WriteBytes(folder / "customwords.txt", data, size);
  WriteBytes(folder / "hnhugeenc.txt", data, size);

  const std::u16string text = ReadWholeFile(folder / "customwords.txt");
  if (text != BytesToUtf16(bytes)) Violated("ReadWholeFile does not give the file's units");
  const std::vector<std::u16string> lines = SplitCrLf(text);
  std::u16string joined;
  for (std::size_t i = 0; i < lines.size(); ++i) joined += (i ? u"\r\n" : u"") + lines[i];
  if (joined != text) Violated("the lines do not join back to the text");

  WordLists lists;
  LoadDictionary(folder, lists);
  const std::optional<UserWords> user = ReadUsableWords(folder / "customwords.txt");
  const bool usable = JudgeUserFile(UserFileKind::WordList, bytes).State == UserFileState::Usable;
  if (user.has_value() != usable) Violated("the user's list reader and its checks disagree");
  if (user) {
    const std::vector<std::u16string> expected =
        lines.empty() ? lines : std::vector<std::u16string>(lines.begin() + 1, lines.end());
    if (!std::ranges::equal(user->Words(), expected))
      Violated("the user's words are not the lines after the first");
  }
  const auto entries = static_cast<std::int64_t>(lists.WordList.size());
  if (entries <= kMaxWordListEntries && lists.WordCount != entries - 1)
    Violated("WordCount is not the highest index");
  if (entries > kMaxWordListEntries && lists.WordCount != 0)
    Violated("an overlong list changed WordCount");
  CheckEntries(lines);
  CheckEntries(lists.WordList);
}

}  // namespace lekhora::fuzz
