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
  return static_cast<int>(std::min<std::size_t>(
      lists.WordList.size(), static_cast<std::size_t>(std::max<int>(lists.WordCount, 0))));
}

void FillWordList(std::u16string_view text, WordLists& lists) {
  lists.WordList = SplitCrLf(text);
  lists.WordCount = CheckedNarrow16(static_cast<std::int64_t>(lists.WordList.size()) - 1);
}

void LoadDictionary(const std::filesystem::path& folder, WordLists& lists) {
  // Without a program folder the list is not looked for elsewhere.
  if (folder.empty()) {
    lists.WordList.clear();
    lists.WordCount = -1;
    return;
  }
  // Each step runs whatever became of the one before: start-up never stops
  // for a word list, it only comes up with fewer suggestions.
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
