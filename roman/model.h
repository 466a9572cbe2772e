#pragma once
// The romanization model: which groups of Latin letters stand for which
// groups of Devanagari (graphones), and how likely each graphone is after
// the two before it, learned from Hindi words with the ways people spell
// them (roman/train.h). The build writes it beside the programs as a text
// file and the reader checks that file whole before it is used.
//
// The file (UTF-8, LF after every line):
//   lekhora-roman 1
//   graphones N
//   N lines LATIN<TAB>DEVANAGARI, sorted, unique; their ids are 1..N
//   counts M
//   M lines A B C<TAB>COUNT: how often graphone C followed A and B, sorted
//     and unique; 0 stands for the word's edge (before its first graphone,
//     and after its last as C); a line of one or two ids counts its last id
//     alone or after the other
//   end
// LATIN is one to three of a..z and '~'; DEVANAGARI one to eight units of
// the Devanagari block. Counts are whole numbers above 0.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include "base/error.h"

namespace lekhora::roman {

/// What the model's errors name as their source.
inline constexpr const char* kModelSource = "Romanization model";
/// The error number of a file that is not such a model or is damaged.
inline constexpr std::int32_t kInvalidModel = 321;

struct Graphone {
  std::string latin;
  std::u16string devanagari;
  friend auto operator<=>(const Graphone&, const Graphone&) = default;
};

/// Counts of graphone n-grams of one to three ids, 0 being the edge.
using NgramCounts = std::map<std::vector<std::uint32_t>, std::uint64_t>;

class Model;
using ModelOrError = std::variant<Model, Error>;

class Model {
 public:
  static constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{32} << 20;
  static constexpr std::size_t kMaxGraphones = 65535;
  /// The longest n-gram: a graphone and the two before it. (Four and five
  /// overfit: on words whose roots the training never saw they put the
  /// intended word first less often.)
  static constexpr std::size_t kOrder = 3;
  /// The graphones before the next one, the oldest first; 0 before the word.
  using History = std::array<std::uint32_t, kOrder - 1>;

  /// An empty model: it knows no letters.
  Model() = default;

  /// The text of a model with these graphones (sorted, unique; ids from 1)
  /// and counts, the same bytes for the same input.
  static std::string ToText(const std::vector<Graphone>& graphones, const NgramCounts& counts);

  static ModelOrError Load(const std::filesystem::path& path);
  /// The model in text, checked whole: the header, every line's form, the
  /// order, ids in range, counts above 0 and the end line last.
  static ModelOrError FromText(std::string_view text);

  std::size_t size() const { return graphones_.size(); }
  /// Graphone id (1..size()).
  const Graphone& At(std::uint32_t id) const { return graphones_[id - 1]; }

  /// The natural logarithm of how likely graphone c (0: the word ends) is
  /// after a and b (0: the word's start), smoothed so that it is never
  /// minus infinity for an id the model holds.
  double LogProbability(const History& before, std::uint32_t c) const;

  /// The ids whose Latin letters are the packed group (PackLatin), most
  /// frequent first.
  const std::vector<std::uint32_t>& ForLatin(std::uint32_t packed) const;

 private:
  struct Context {
    double total = 0;
    double types = 0;
  };
  // Up to three ids of 16 bits in one number.
  template <typename It>
  static std::uint64_t Key(It first, It last) {
    std::uint64_t key = 0;
    for (; first != last; ++first) key = key << 16 | *first;
    return key;
  }
  double Unigram(std::uint32_t c) const;

  std::vector<Graphone> graphones_;
  std::vector<double> unigram_;  // counts, index = id
  double unigram_total_ = 0;
  // By length: the counts of n-grams of 2..kOrder ids, and of the contexts
  // of 1..kOrder-1 ids before a graphone.
  std::array<std::unordered_map<std::uint64_t, double>, kOrder + 1> ngrams_;
  std::array<std::unordered_map<std::uint64_t, Context>, kOrder> contexts_;
  std::unordered_map<std::uint32_t, std::vector<std::uint32_t>> by_latin_;
};

}  // namespace lekhora::roman
