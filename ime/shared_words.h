#pragma once
// The words every input session of a process searches: read once, never
// changed afterwards, so sessions share them without locks.

#include <cstdint>
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
  /// The list the program ships as every user's first words: in the user's
  /// list they are no words the user added, and rank as the bundled ones.
  WordLists Shipped;
};

/// The compressed list in programFolder, and the user's words from userFile
/// (the pad's own list) or, while the pad has not made that file yet or
/// cannot use it, from the list shipped in programFolder: the words the pad
/// shows, checked by the pad's own reader. Files that cannot
/// be read give fewer words, never an error; nothing is created or written.
std::shared_ptr<const SharedWords> LoadSharedWords(const std::filesystem::path& programFolder,
                                                   const std::filesystem::path& userFile);

/// The words of the user's list that the shipped list lacks: the ones the
/// user added.
std::vector<std::u16string> AddedWords(const SharedWords& words);

/// The lists as given, sorted and without duplicates, for tests and tools.
std::shared_ptr<const SharedWords> MakeSharedWords(std::vector<std::u16string> bundled,
                                                   std::vector<std::u16string> user = {});

/// The words for the sessions of a process: the bundled list is read once,
/// the user's list again whenever its file has changed (the pad has added or
/// removed a word), so that a session picks up the change at its next focus.
class WordsSource {
 public:
  WordsSource(std::filesystem::path programFolder, std::filesystem::path userFile);
  /// The words as they are now; the same object as long as nothing changed.
  std::shared_ptr<const SharedWords> Current();

 private:
  struct Stamp {
    std::filesystem::file_time_type time{};
    std::uintmax_t size = 0;
    bool exists = false;
    friend bool operator==(const Stamp&, const Stamp&) = default;
  };
  Stamp StampOf() const;

  std::filesystem::path programFolder_;
  std::filesystem::path userFile_;
  // Sorted once: only the user's list is read again.
  WordLists bundled_;
  std::shared_ptr<const SharedWords> words_;
  Stamp stamp_;
};

}  // namespace lekhora
