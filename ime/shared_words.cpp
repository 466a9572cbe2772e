#include "ime/shared_words.h"

#include <algorithm>
#include <string_view>

#include "base/data_files.h"
#include "suggest/user_words.h"
#include "userdata/user_word_store.h"

namespace lekhora {

namespace {

// The words of [first, last), sorted and without duplicates or empty words.
template <typename Iterator>
WordLists SortedList(Iterator first, Iterator last) {
  std::vector<std::u16string_view> words(first, last);
  std::erase(words, std::u16string_view());
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  // Indices are 16-bit: past the limit the last words are dropped.
  if (words.size() > static_cast<std::size_t>(kMaxWordListEntries - 1))
    words.resize(static_cast<std::size_t>(kMaxWordListEntries - 1));
  words.emplace_back();  // the entry after the final line, as a loaded list has
  WordLists lists;
  lists.WordCount = static_cast<std::int16_t>(words.size() - 1);
  lists.WordList = WordArray(words);
  return lists;
}

// The searched entries of the compressed list, sorted; the list as loaded
// goes as soon as they are copied.
WordLists BundledList(const std::filesystem::path& programFolder) {
  WordLists loaded;
  LoadDictionary(programFolder, loaded);
  const auto begin = loaded.WordList.begin();
  return SortedList(begin, begin + SearchedCount(loaded));
}

// The words the pad shows, sorted, read by the pad's own reader, so that both agree
// on which file stands and which is not the pad's to use.
WordLists UserList(const std::filesystem::path& programFolder,
                   const std::filesystem::path& userFile) {
  const UserWords list = WordsToShow(
      userFile, programFolder.empty() ? std::filesystem::path() : programFolder / kCustomWordsFile);
  std::vector<std::u16string_view> words;
  for (const std::u16string& word : list.Words())
    if (WordRows::Shown(word)) words.push_back(word);
  return SortedList(words.begin(), words.end());
}

}  // namespace

std::shared_ptr<const SharedWords> MakeSharedWords(std::vector<std::u16string> bundled,
                                                   std::vector<std::u16string> user) {
  auto words = std::make_shared<SharedWords>();
  words->Bundled = SortedList(bundled.begin(), bundled.end());
  words->User = SortedList(user.begin(), user.end());
  return words;
}

std::shared_ptr<const SharedWords> LoadSharedWords(const std::filesystem::path& programFolder,
                                                   const std::filesystem::path& userFile) {
  auto words = std::make_shared<SharedWords>();
  words->Bundled = BundledList(programFolder);
  words->User = UserList(programFolder, userFile);
  words->Shipped = UserList(programFolder, {});
  return words;
}

std::vector<std::u16string> AddedWords(const SharedWords& words) {
  std::vector<std::u16string> added;
  const auto shipped = words.Shipped.WordList.begin();
  const auto shippedEnd = shipped + SearchedCount(words.Shipped);
  const auto user = words.User.WordList.begin();
  for (auto word = user; word != user + SearchedCount(words.User); ++word) {
    const std::u16string_view text = *word;
    if (!text.empty() && !std::binary_search(shipped, shippedEnd, text)) added.emplace_back(text);
  }
  return added;
}

WordsSource::WordsSource(std::filesystem::path programFolder, std::filesystem::path userFile)
    : programFolder_(std::move(programFolder)),
      userFile_(std::move(userFile)),
      bundled_(BundledList(programFolder_)) {}

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
    words->User = UserList(programFolder_, userFile_);
    words->Shipped = UserList(programFolder_, {});
    words_ = std::move(words);
  }
  return words_;
}

}  // namespace lekhora
