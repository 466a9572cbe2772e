#include "userdata/user_word_store.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <exception>
#include <system_error>

#include "base/files.h"
#include "base/utf16.h"
#include "suggest/word_lists.h"
#include "userdata/user_file.h"

namespace lekhora {
namespace {

constexpr const char* kSource = "UserWords";

std::string NameOf(const std::filesystem::path& path) {
  return path.filename().string();
}

}  // namespace

std::optional<UserWords> ReadUsableWords(const std::filesystem::path& path) {
  if (path.empty()) return std::nullopt;
  const UserFileRead read = ReadUserFile(path, UserFileKind::WordList);
  if (read.State != UserFileState::Usable) return std::nullopt;
  return UserWords::FromBytes(read.Bytes);
}

UserWords ShippedWords(const std::filesystem::path& shipped) {
  if (!shipped.empty()) {
    const UserFileRead read = ReadUserFile(shipped, UserFileKind::WordList, false);
    if (read.State == UserFileState::Usable) return UserWords::FromBytes(read.Bytes);
  }
  return UserWords::FromBytes(Utf16ToBytes(kUserWordsHeader));
}

UserWords WordsToShow(const std::filesystem::path& user, const std::filesystem::path& shipped) {
  std::optional<UserWords> words = ReadUsableWords(user);
  return words ? std::move(*words) : ShippedWords(shipped);
}

UserWordStore::UserWordStore(std::filesystem::path userFile, std::filesystem::path shippedFile)
    : user_(std::move(userFile)), shipped_(std::move(shippedFile)) {}

void UserWordStore::SetAside(const std::string& problem) {
  if (const auto aside = SetDamagedFileAside(user_, std::chrono::system_clock::now()))
    notes_.push_back(NameOf(user_) + " was " + problem + "; it is kept as " + NameOf(*aside));
  else
    LeaveAlone(problem);
}

void UserWordStore::LeaveAlone(const std::string& problem) {
  if (!leftAlone_.empty()) return;
  leftAlone_ = NameOf(user_) + " is " + problem;
  notes_.push_back(leftAlone_ + "; the shipped words are shown and changes are not saved");
}

std::string UserWordStore::Load(bool tidy) {
  if (tidy) RemoveStaleTemporaries(user_);
  UserFileRead read = ReadUserFile(user_, UserFileKind::WordList);
  if (read.State == UserFileState::Damaged) {
    SetAside(read.Problem);
    if (leftAlone_.empty()) read.State = UserFileState::Missing;
  }
  switch (read.State) {
    case UserFileState::Usable:
      words_ = UserWords::FromBytes(read.Bytes);
      return {};
    case UserFileState::Missing:
      words_ = ShippedWords(shipped_);
      return Write();
    case UserFileState::Empty:
      notes_.push_back(NameOf(user_) + " is empty; the shipped words are shown");
      words_ = ShippedWords(shipped_);
      return {};
    case UserFileState::Unusable:
      LeaveAlone(read.Problem);
      words_ = ShippedWords(shipped_);
      return {};
    case UserFileState::Damaged:
      words_ = ShippedWords(shipped_);
      return {};
  }
  return {};
}

UserWords UserWordStore::Current() {
  if (!leftAlone_.empty()) return words_;
  const UserFileRead read = ReadUserFile(user_, UserFileKind::WordList);
  switch (read.State) {
    case UserFileState::Usable:
      return UserWords::FromBytes(read.Bytes);
    case UserFileState::Damaged:
      SetAside(read.Problem);
      return words_;
    case UserFileState::Unusable:
      LeaveAlone(read.Problem);
      return words_;
    case UserFileState::Missing:
    case UserFileState::Empty:
      return words_;
  }
  return words_;
}

template <class Edit>
UserWordStore::Change UserWordStore::Apply(Edit edit) {
  Change change;
  UserWords current = Current();
  change.Reloaded = !(current == words_);
  words_ = std::move(current);
  change.Edit = edit(words_, &change.Index);
  if (change.Edit != WordEdit::Done) return change;
  if (!leftAlone_.empty()) return change;
  change.SaveError = Write();
  change.Saved = change.SaveError.empty();
  return change;
}

UserWordStore::Change UserWordStore::Add(std::u16string_view word) {
  return Apply([word](UserWords& words, std::size_t* at) { return words.Add(word, at); });
}

UserWordStore::Change UserWordStore::Remove(std::size_t index, std::u16string_view word) {
  return Apply(
      [index, word](UserWords& words, std::size_t* at) { return words.Remove(index, word, at); });
}

std::string UserWordStore::Write() {
  try {
    if (!CreatePrivateFolders(user_.parent_path()))
      throw FileSystemError(ENOTDIR, kSource, user_.parent_path());
    ReplaceOptions options;
    options.Private = true;
    options.Within = user_.parent_path();
    ReplaceFile(user_, words_.ToBytes(), kSource, options);
  } catch (const std::exception& error) {
    return error.what();
  }
  return {};
}

std::vector<std::string> UserWordStore::TakeNotes() {
  std::vector<std::string> notes;
  notes.swap(notes_);
  return notes;
}

}  // namespace lekhora

namespace lekhora {

bool WordRows::Shown(std::u16string_view word) {
  // A line no one types as a word (a pasted text) would be laid out whole at
  // every repaint; it stays in the file, only the list box leaves it out.
  return word.size() <= kMaxUserWordUnits;
}

void WordRows::Fill(std::span<const std::u16string> words) {
  indices_.clear();
  for (std::size_t index = 0; index < words.size(); ++index)
    if (Shown(words[index])) indices_.push_back(index);
}

std::optional<std::size_t> WordRows::IndexOfRow(std::size_t row) const {
  if (row >= indices_.size()) return std::nullopt;
  return indices_[row];
}

std::optional<std::size_t> WordRows::Inserted(std::size_t index, bool shown) {
  const auto at = std::lower_bound(indices_.begin(), indices_.end(), index);
  for (auto later = at; later != indices_.end(); ++later) ++*later;
  if (!shown) return std::nullopt;
  const auto row = static_cast<std::size_t>(at - indices_.begin());
  indices_.insert(at, index);
  return row;
}

std::optional<std::size_t> WordRows::Removed(std::size_t index) {
  const auto at = std::lower_bound(indices_.begin(), indices_.end(), index);
  std::optional<std::size_t> row;
  auto later = at;
  if (at != indices_.end() && *at == index) {
    row = static_cast<std::size_t>(at - indices_.begin());
    later = indices_.erase(at);
  }
  for (; later != indices_.end(); ++later) --*later;
  return row;
}

}  // namespace lekhora
