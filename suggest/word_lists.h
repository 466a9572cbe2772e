#pragma once
// The word lists in memory and how start-up fills them.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/error.h"
#include "suggest/word_array.h"

namespace lekhora {

/// Words are indexed with 16-bit signed numbers, so a list holds at most this
/// many entries, the empty one after the final CR LF included.
inline constexpr int kMaxWordListEntries = 32768;

/// A line of the user's list longer than this is no word anyone types: it is
/// left out of the list box and the search, since the list box would lay the
/// whole line out at every repaint.
inline constexpr std::size_t kMaxUserWordUnits = 1000;

struct WordLists {
  /// One entry per CR LF-separated line, in file order (sorted by code unit).
  WordArray WordList;
  /// Highest index of WordList; entries 0 .. WordCount-1 are searched.
  std::int16_t WordCount = 0;
};

/// How many entries a search looks at: WordCount, which comes with the list,
/// but never more than the list holds, nor fewer than none.
int SearchedCount(const WordLists& lists);

/// Splits text into lists.WordList, then sets WordCount. With more entries
/// than kMaxWordListEntries the list stays filled, WordCount keeps its value
/// and the overflow Error is thrown.
void FillWordList(std::u16string_view text, WordLists& lists);

/// The compressed word list of folder into lists, as start-up loads it (the
/// user's words are userdata's). Never throws: a missing or damaged list
/// leaves it empty with WordCount -1.
void LoadDictionary(const std::filesystem::path& folder, WordLists& lists);

/// Rebuilds the compressed word list in folder from the plain one. Returns the
/// error for the window to report; the lists in memory are not reloaded.
std::optional<Error> RunMaintenanceCommand(const std::filesystem::path& folder);

}  // namespace lekhora
