#pragma once
// The words every input session of a process searches: read once, never
// changed afterwards, so sessions share them without locks.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "suggest/word_lists.h"

namespace lekhora {

/// Two lists, each sorted by code unit as the search needs and each within
/// the 16-bit indices of a word list: the bundled list fills its indices all
/// but alone, so the user's words are searched as a list of their own.
struct SharedWords {
  WordLists Bundled;
  WordLists User;
};

/// The compressed list in programFolder, and the user's words from userFile
/// (the pad's own list) or, while the pad has not made that file yet or
/// cannot use it, from the list shipped in programFolder. Files that cannot
/// be read give fewer words, never an error; nothing is created or written.
std::shared_ptr<const SharedWords> LoadSharedWords(const std::filesystem::path& programFolder,
                                                   const std::filesystem::path& userFile);

/// The lists as given, sorted and without duplicates, for tests and tools.
std::shared_ptr<const SharedWords> MakeSharedWords(std::vector<std::u16string> bundled,
                                                   std::vector<std::u16string> user = {});

/// Where the pad keeps the user's words: $XDG_DATA_HOME/lekhora, or
/// ~/.local/share/lekhora without it; empty when neither can be told.
std::filesystem::path UserWordsFile();

}  // namespace lekhora
