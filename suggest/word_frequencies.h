#pragma once
// How often Hindi words are used: a table the build makes from the counts in
// data/ and ships beside the word list, read whole with one read and checked
// before it is used.
//
// The file (little-endian):
//   "LKWF", version (u32, 1), words n (u32), letters L (u32),
//   n + 1 offsets (u32) into the letters, 0 first and L last,
//   L letters, one byte per code unit (the unit minus U+0900),
//   n scores (u8, 1..255), one per word.
// Words are sorted by code unit, unique and never empty, so a prefix is one
// run of the table; every unit lies in the Devanagari block, which is all the
// shipped words hold and why one byte per unit is enough.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "base/error.h"

namespace lekhora {

/// What the errors of the table name as their source.
inline constexpr const char* kFrequencySource = "Word frequencies";
/// The error number of a file that is not such a table or is damaged.
inline constexpr std::int32_t kInvalidFileFormat = 321;

/// A score grows by 16 for each doubling of the count: 1 + floor(16 log2
/// count), at most 255. A count of 1 gives 1; 0 stays for words not known.
std::uint8_t ScoreOfCount(std::uint64_t count);

struct ScoredWord {
  std::u16string word;
  std::uint8_t score = 0;
  friend bool operator==(const ScoredWord&, const ScoredWord&) = default;
};

/// The file for words sorted by code unit, each with its score. Throws Error
/// for words out of order, repeated or empty, units outside U+0900..U+097F, a
/// score of 0, or more than the 32-bit fields hold.
std::vector<std::uint8_t> EncodeFrequencies(const std::vector<ScoredWord>& words);

class WordFrequencies;
using FrequenciesOrError = std::variant<WordFrequencies, Error>;

class WordFrequencies {
 public:
  /// The most a table file may hold; the shipped one is far smaller.
  static constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{64} << 20;

  /// An empty table: every score is 0.
  WordFrequencies() = default;

  /// The table in a file, or why it cannot be used: missing, unreadable, not
  /// a regular file, too large, or damaged (see FromBytes).
  static FrequenciesOrError Load(const std::filesystem::path& path);
  /// The table in bytes, checked whole before it is used: the identification
  /// and version, sizes that add up to the bytes there are, offsets in order
  /// and in range, words sorted and unique, scores above 0.
  static FrequenciesOrError FromBytes(std::vector<std::uint8_t> bytes);

  std::size_t size() const { return words_; }
  bool empty() const { return words_ == 0; }
  std::u16string Word(std::size_t index) const;
  std::uint8_t ScoreAt(std::size_t index) const { return bytes_[scores_at_ + index]; }

  /// The word's score, 0 when the table does not hold it. The word is
  /// compared as given: fold it first (SearchForm) to find what was typed.
  std::uint8_t Score(std::u16string_view word) const;

  /// The indexes [first, last) of the words that begin with prefix, in
  /// code-unit order; all of them for an empty prefix.
  std::pair<std::size_t, std::size_t> PrefixRange(std::u16string_view prefix) const;
  /// The same, searched only within a range known to hold them all (that of
  /// a shorter prefix of it): fewer steps for a word spelled letter by letter.
  std::pair<std::size_t, std::size_t> PrefixRange(std::u16string_view prefix,
                                                  std::pair<std::size_t, std::size_t> within) const;

  /// Calls visit(word, score) for each word that begins with prefix, in
  /// code-unit order, until it returns false.
  template <typename Visitor>
  void WithPrefix(std::u16string_view prefix, Visitor&& visit) const {
    const auto [first, last] = PrefixRange(prefix);
    for (std::size_t i = first; i < last; ++i)
      if (!visit(Word(i), ScoreAt(i))) break;
  }

  /// At most count of the words that begin with prefix, highest score first
  /// and words of one score in code-unit order.
  std::vector<ScoredWord> Complete(std::u16string_view prefix, std::size_t count) const;

 private:
  std::uint32_t Offset(std::size_t index) const;
  std::string_view Letters(std::size_t index) const;
  /// The index of the first word of [first, end) whose letters do not sort
  /// before letters (end when there is none).
  std::size_t FirstNotBefore(std::string_view letters, std::size_t first, std::size_t end) const;

  // Where the parts lie in bytes_, kept as positions so that a moved table
  // still finds them.
  std::vector<std::uint8_t> bytes_;
  std::size_t words_ = 0;
  std::size_t offsets_at_ = 0;
  std::size_t letters_at_ = 0;
  std::size_t scores_at_ = 0;
  // Every index, highest score first and in code-unit order within a score:
  // a long run of a short prefix is completed by walking this instead.
  std::vector<std::uint32_t> by_score_;
};

}  // namespace lekhora
