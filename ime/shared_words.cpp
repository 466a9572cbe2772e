#include "ime/shared_words.h"

#include <algorithm>

#include "base/data_files.h"
#include "suggest/user_words.h"
#include "userdata/user_word_store.h"

namespace lekhora {

namespace {

WordLists SortedList(std::vector<std::u16string> words) {
  std::erase(words, std::u16string());
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  // Indices are 16-bit: past the limit the last words are dropped.
  if (words.size() > static_cast<std::size_t>(kMaxWordListEntries - 1))
    words.resize(static_cast<std::size_t>(kMaxWordListEntries - 1));
  WordLists lists;
  lists.WordCount = static_cast<std::int16_t>(words.size());
  lists.WordList = std::move(words);
  lists.WordList.emplace_back();  // the entry after the final line, as a loaded list has
  return lists;
}

std::vector<std::u16string> BundledWords(const std::filesystem::path& programFolder) {
  WordLists loaded;
  LoadDictionary(programFolder, loaded);
  std::vector<std::u16string> bundled;
  if (loaded.WordCount > 0) {
    const auto count = std::min(loaded.WordList.size(), static_cast<std::size_t>(loaded.WordCount));
    bundled.assign(loaded.WordList.begin(),
                   loaded.WordList.begin() + static_cast<std::ptrdiff_t>(count));
  }
  return bundled;
}

// The words the pad shows, read by the pad's own reader, so that both agree
// on which file stands and which is not the pad's to use.
std::vector<std::u16string> UserWordsOf(const std::filesystem::path& programFolder,
                                        const std::filesystem::path& userFile) {
  const UserWords list = WordsToShow(
      userFile, programFolder.empty() ? std::filesystem::path() : programFolder / kCustomWordsFile);
  std::vector<std::u16string> words;
  for (const std::u16string& word : list.Words())
    if (WordRows::Shown(word)) words.push_back(word);
  return words;
}

}  // namespace

std::shared_ptr<const SharedWords> MakeSharedWords(std::vector<std::u16string> bundled,
                                                   std::vector<std::u16string> user) {
  auto words = std::make_shared<SharedWords>();
  words->Bundled = SortedList(std::move(bundled));
  words->User = SortedList(std::move(user));
  return words;
}

std::shared_ptr<const SharedWords> LoadSharedWords(const std::filesystem::path& programFolder,
                                                   const std::filesystem::path& userFile) {
  return MakeSharedWords(BundledWords(programFolder), UserWordsOf(programFolder, userFile));
}

WordsSource::WordsSource(std::filesystem::path programFolder, std::filesystem::path userFile)
    : programFolder_(std::move(programFolder)),
      userFile_(std::move(userFile)),
      bundled_(SortedList(BundledWords(programFolder_))) {}

WordsSource::Stamp WordsSource::StampOf() const {
  Stamp stamp;
  std::error_code ec;
  if (userFile_.empty() || !std::filesystem::is_regular_file(userFile_, ec)) return stamp;
  stamp.time = std::filesystem::last_write_time(userFile_, ec);
  stamp.size = std::filesystem::file_size(userFile_, ec);
  stamp.exists = !ec;
  return stamp;
}

std::shared_ptr<const SharedWords> WordsSource::Current() {
  const Stamp now = StampOf();
  if (!words_ || !(now == stamp_)) {
    stamp_ = now;
    auto words = std::make_shared<SharedWords>();
    words->Bundled = bundled_;
    words->User = SortedList(UserWordsOf(programFolder_, userFile_));
    words_ = std::move(words);
  }
  return words_;
}

}  // namespace lekhora
