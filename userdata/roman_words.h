#pragma once
// The Devanagari words Latin letters may stand for, as the pad and the input
// method offer them: the romanization model over the shipped frequencies,
// with the words the user writes lifted above the rest, the more so after
// the word before.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "roman/model.h"
#include "roman/romanizer.h"

namespace lekhora {

class WordRanking;

class RomanWords {
 public:
  /// The model in programFolder over ranking's frequency table and history;
  /// ranking must outlive the words. A model that cannot be read offers
  /// nothing (Problem() says why): the letters are then committed as typed.
  RomanWords(const std::filesystem::path& programFolder, WordRanking& ranking);
  RomanWords(const RomanWords&) = delete;
  RomanWords& operator=(const RomanWords&) = delete;

  bool Loaded() const { return romanizer_.has_value(); }
  const std::string& Problem() const { return problem_; }

  /// The words the user added to the word list: the search follows them as
  /// it follows the frequency table's, and one found comes before any the
  /// frequencies alone put first.
  void SetUserWords(std::span<const std::u16string> words);

  /// Up to count words for letters typed after previous (empty: none known), best first.
  std::vector<std::u16string> Candidates(std::u16string_view letters, std::u16string_view previous,
                                         int count) const;

 private:
  /// What the user's history adds to a candidate's score.
  double Boost(std::u16string_view word) const;

  WordRanking& ranking_;
  std::optional<roman::Model> model_;
  std::optional<roman::Romanizer> romanizer_;
  std::string problem_;
  // The word before the one being asked about, for Boost.
  mutable std::u16string previous_;
};

}  // namespace lekhora
