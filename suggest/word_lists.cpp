#include "suggest/word_lists.h"

#include <algorithm>
#include <exception>

#include "base/checked16.h"
#include "base/data_files.h"
#include "base/utf16.h"
#include "codec/he3.h"
#include "text/lines.h"

namespace lekhora {

int SearchedCount(const WordLists& lists) {
  return std::min(lists.WordList.size(), std::max<int>(lists.WordCount, 0));
}

void FillWordList(std::u16string_view text, WordLists& lists) {
  // Counted first, so that the array is allocated once at its final size.
  std::size_t lines = 0;
  ForEachCrLfLine(text, [&lines](std::u16string_view) { ++lines; });
  WordArray words;
  words.reserve(lines, lines == 0 ? 0 : text.size() - 2 * (lines - 1));
  ForEachCrLfLine(text, [&words](std::u16string_view line) { words.push_back(line); });
  lists.WordList = std::move(words);
  lists.WordCount = CheckedNarrow16(static_cast<std::int64_t>(lists.WordList.size()) - 1);
}

void LoadDictionary(const std::filesystem::path& folder, WordLists& lists) {
  // Without a program folder the list is not looked for elsewhere.
  if (folder.empty()) {
    lists.WordList = {};
    lists.WordCount = -1;
    return;
  }
  // Each step runs whatever became of the one before: start-up never stops
  // for a word list, it only comes up with fewer suggestions. The decoded
  // bytes go before the list is filled and the text with this function: no
  // more than two copies of the list are ever alive at once.
  std::u16string text;
  try {
    text = BytesToUtf16(DecodeFile(folder / kWordListFile));
  } catch (const std::exception&) {
  }
  try {
    FillWordList(text, lists);
  } catch (const std::exception&) {
  }
}

std::optional<Error> RunMaintenanceCommand(const std::filesystem::path& folder) {
  // Nothing is written outside the program's folder.
  if (folder.empty()) return Error(kPathNotFound, "Command1", "Path not found");
  try {
    EncodeFile(folder / kPlainWordListFile, folder / kWordListFile);
  } catch (const Error& error) {
    return error;
  } catch (const std::exception& error) {
    // Any other failure while writing is a file access error.
    return Error(kPathFileAccessError, "Command1", error.what());
  }
  return std::nullopt;
}

}  // namespace lekhora
