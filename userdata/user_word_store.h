#pragma once
// The user's word list in the user's own folder. A list that is not there
// yet is made from the one shipped beside the program, which stays the
// default and is never written. Every change is written at once.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "suggest/user_words.h"

namespace lekhora {

/// The user's list at path when the pad can use it as it is, checked as the
/// pad checks it (text, not cut short, a regular file within its size, not a
/// link out of its folder); nothing otherwise. Nothing is written.
std::optional<UserWords> ReadUsableWords(const std::filesystem::path& path);

/// The list shipped beside the program, only read (an installation may link
/// it from elsewhere); a list of no words when it cannot be used.
UserWords ShippedWords(const std::filesystem::path& shipped);

/// The words the pad shows for these files, for a reader that never writes
/// (the input method): the user's list, or the shipped one wherever the pad
/// would show that instead (no user list yet, or one it cannot use).
UserWords WordsToShow(const std::filesystem::path& user, const std::filesystem::path& shipped);

class UserWordStore {
 public:
  UserWordStore(std::filesystem::path userFile, std::filesystem::path shippedFile);

  /// Start-up. A usable list is read; a missing one is made from the
  /// shipped list; a damaged one is set aside first and then made anew; an
  /// empty or unusable one shows the shipped words and is left untouched.
  /// Returns why writing the list failed, or an empty string. tidy removes
  /// what a killed save left beside the file; only for the one pad that
  /// holds the folder.
  std::string Load(bool tidy = true);

  const UserWords& Words() const { return words_; }
  const std::filesystem::path& File() const { return user_; }

  struct Change {
    WordEdit Edit = WordEdit::Done;
    /// Whether the change reached the file; when not, it holds in memory
    /// until the pad ends.
    bool Saved = false;
    /// Why writing the file failed (a file left alone is no failure).
    std::string SaveError;
    /// The file held another list than the one last shown (edited by hand,
    /// or by another program) before the change.
    bool Reloaded = false;
    /// Where in Words() the word was added or removed, when it was.
    std::size_t Index = 0;
  };
  /// Each change starts from the file as it is now, so that an edit made by
  /// hand while the pad runs is kept; a refused change still shows it.
  Change Add(std::u16string_view word);
  Change Remove(std::size_t index, std::u16string_view word);

  /// What the user should hear about the file since the last call: a
  /// damaged list set aside, a list that is left alone.
  std::vector<std::string> TakeNotes();

 private:
  template <class Edit>
  Change Apply(Edit edit);
  /// The file as it is now, or the list in memory where the file has nothing
  /// better; handles a file that went bad meanwhile.
  UserWords Current();
  void SetAside(const std::string& problem);
  void LeaveAlone(const std::string& problem);
  std::string Write();

  std::filesystem::path user_;
  std::filesystem::path shipped_;
  UserWords words_;
  /// Set when the file must not be written this run.
  std::string leftAlone_;
  std::vector<std::string> notes_;
};

/// Which entry of the user's list each row of the list box shows, kept up to
/// date as words come and go, so that a change moves one row rather than
/// filling the list box again.
class WordRows {
 public:
  /// Whether the list box shows an entry.
  static bool Shown(std::u16string_view word);

  void Fill(std::span<const std::u16string> words);
  std::size_t Count() const { return indices_.size(); }
  /// The entry shown in row; nothing past the last row.
  std::optional<std::size_t> IndexOfRow(std::size_t row) const;
  /// An entry was inserted at index: the row it takes when shown.
  std::optional<std::size_t> Inserted(std::size_t index, bool shown);
  /// The entry at index was removed: the row that showed it, if any.
  std::optional<std::size_t> Removed(std::size_t index);

 private:
  std::vector<std::size_t> indices_;
};

}  // namespace lekhora
