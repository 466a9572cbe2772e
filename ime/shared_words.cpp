#include "ime/shared_words.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "base/data_files.h"
#include "base/files.h"
#include "base/user_folders.h"
#include "suggest/user_words.h"

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

// The user's words of the list file at path; nothing when it cannot be read
// or holds no words, so that the shipped list stands in as it does in the pad.
std::optional<std::vector<std::u16string>> ReadUserList(const std::filesystem::path& path) {
  if (path.empty()) return std::nullopt;
  try {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(path, "LoadSharedWords", kUserFileLimit);
    if (bytes.empty() || bytes.size() % 2 != 0) return std::nullopt;
    const UserWords list = UserWords::FromBytes(bytes);
    std::vector<std::u16string> words;
    for (const std::u16string& word : list.Words())
      if (word.size() <= kMaxUserWordUnits) words.push_back(word);
    return words;
  } catch (const std::exception&) {
    return std::nullopt;
  }
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

std::vector<std::u16string> UserWordsOf(const std::filesystem::path& programFolder,
                                        const std::filesystem::path& userFile) {
  std::optional<std::vector<std::u16string>> user = ReadUserList(userFile);
  if (!user && !programFolder.empty()) user = ReadUserList(programFolder / kCustomWordsFile);
  return user.value_or(std::vector<std::u16string>{});
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

std::filesystem::path UserWordsFile() {
  const std::filesystem::path folder = LekhoraUserFolder(UserFolderKind::Data);
  if (folder.empty()) return {};
  return folder / kCustomWordsFile;
}

}  // namespace lekhora
