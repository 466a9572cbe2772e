#pragma once
// The word list every input session of a process searches: read once, never
// changed afterwards, so sessions share it without locks.

#include <filesystem>
#include <memory>

#include "suggest/word_lists.h"

namespace lekhora {

/// The compressed list in folder with the user's own words merged in, sorted
/// by code unit as the search needs. Files that cannot be read give fewer
/// words, never an error.
std::shared_ptr<const WordLists> LoadSharedWords(const std::filesystem::path& folder);

/// words as a list, for tests and tools.
std::shared_ptr<const WordLists> MakeSharedWords(std::vector<std::u16string> words);

}  // namespace lekhora
