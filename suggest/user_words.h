#pragma once
// The user's own word list as its file holds it (UTF-16LE, CR LF between
// lines, a first line that explains the file and is never shown) and the
// pad's edits to it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lekhora {

/// The first line of a list the pad starts from nothing.
inline constexpr std::u16string_view kUserWordsHeader =
    u"Lekhora user words: one word a line from the second line on (this first line is never "
    u"shown).";

enum class WordEdit {
  Done,
  AlreadyThere,
  Empty,
  /// The word holds a line break, so it would become more than one entry.
  NotOneLine,
  /// Longer than kMaxUserWordUnits: a pasted text rather than a word.
  TooLong,
  /// The word to remove is not in the list (any more).
  NotThere,
};

class UserWords {
 public:
  UserWords() = default;
  /// The bytes taken as UTF-16LE code units and split at every CR LF, as
  /// start-up reads the list.
  static UserWords FromBytes(std::span<const std::uint8_t> bytes);
  /// The lines joined with CR LF again: FromBytes(b).ToBytes() == b for every
  /// even-length b.
  std::vector<std::uint8_t> ToBytes() const;

  /// What the list box shows: every line after the first, in file order.
  std::span<const std::u16string> Words() const;

  /// Adds word as the last word; a file that ended with CR LF still does.
  /// at receives the word's index in Words() when it was added.
  WordEdit Add(std::u16string_view word, std::size_t* at = nullptr);
  /// Removes the word shown at index; when the list has changed under it,
  /// the first entry that reads word instead. at receives the index in
  /// Words() of the entry removed.
  WordEdit Remove(std::size_t index, std::u16string_view word, std::size_t* at = nullptr);

  friend bool operator==(const UserWords&, const UserWords&) = default;

 private:
  std::vector<std::u16string> lines_;
};

/// What "add to my words" takes from the text box: the selection without the
/// blanks and line breaks around it, or without a selection the word around
/// the caret (between blanks, line breaks and punctuation). Empty when there
/// is none.
std::u16string WordToAdd(std::u16string_view text, int selStart, int selLength);

}  // namespace lekhora
