#include "ime/shared_words.h"

#include <algorithm>

namespace lekhora {

std::shared_ptr<const WordLists> MakeSharedWords(std::vector<std::u16string> words) {
  std::erase(words, std::u16string());
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  // Indices are 16-bit: past the limit the last words are dropped.
  if (words.size() > static_cast<std::size_t>(kMaxWordListEntries - 1))
    words.resize(static_cast<std::size_t>(kMaxWordListEntries - 1));
  auto lists = std::make_shared<WordLists>();
  lists->WordCount = static_cast<std::int16_t>(words.size());
  lists->WordList = std::move(words);
  lists->WordList.emplace_back();  // the entry after the final line, as a loaded list has
  return lists;
}

std::shared_ptr<const WordLists> LoadSharedWords(const std::filesystem::path& folder) {
  WordLists loaded;
  std::vector<std::u16string> words = LoadWordLists(folder, loaded);
  if (loaded.WordCount > 0) {
    const auto count = std::min(loaded.WordList.size(), static_cast<std::size_t>(loaded.WordCount));
    words.insert(words.end(), loaded.WordList.begin(),
                 loaded.WordList.begin() + static_cast<std::ptrdiff_t>(count));
  }
  return MakeSharedWords(std::move(words));
}

}  // namespace lekhora
