#include "userdata/roman_words.h"

#include <cmath>
#include <variant>

#include "base/data_files.h"
#include "base/error.h"
#include "suggest/canonical_fold.h"
#include "userdata/word_ranking.h"

namespace lekhora {
namespace {

// In the model's units (natural logs). A word the user has written once
// comes before whatever the model and the frequencies alone prefer for the
// same letters; more uses and the previous word add to that.
constexpr double kUsedBonus = 12;
constexpr double kUseWeight = 1.5;
constexpr double kFollowWeight = 1.5;
// Uses fade over about a month, as in the ranking of the table layouts.
constexpr double kUseHalfLifeDays = 30;

}  // namespace

RomanWords::RomanWords(const std::filesystem::path& programFolder, WordRanking& ranking)
    : ranking_(ranking) {
  roman::ModelOrError loaded = roman::Model::Load(programFolder / kRomanModelFile);
  if (auto* error = std::get_if<Error>(&loaded)) {
    problem_ = error->description();
    return;
  }
  model_.emplace(std::move(std::get<roman::Model>(loaded)));
  roman::RomanizerOptions options;
  options.boost = [this](std::u16string_view word, bool) { return Boost(word); };
  romanizer_.emplace(*model_, ranking_.Table(), std::move(options));
}

double RomanWords::Boost(std::u16string_view word) const {
  std::u16string storage;
  const std::u16string_view form = SearchForm(word, storage);
  const WordUse use = ranking_.Used().Use(form);
  double boost = romanizer_->IsExtraWord(form) ? kUsedBonus : 0;
  if (use.Uses > 0) {
    const double recency = 1 / (1 + std::max(use.DaysSinceUse, 0.0) / kUseHalfLifeDays);
    boost += kUsedBonus + kUseWeight * std::log1p(use.Uses) * recency;
  }
  if (!previous_.empty())
    boost += kFollowWeight * std::log1p(std::max(ranking_.Used().Follows(previous_, form), 0));
  return boost;
}

void RomanWords::SetUserWords(std::span<const std::u16string> words) {
  if (!romanizer_) return;
  std::vector<std::u16string> forms;
  forms.reserve(words.size());
  for (const std::u16string& word : words) {
    std::u16string storage;
    forms.emplace_back(SearchForm(word, storage));
  }
  romanizer_->SetExtraWords(std::move(forms));
}

std::vector<std::u16string> RomanWords::Candidates(std::u16string_view letters,
                                                   std::u16string_view previous, int count) const {
  std::vector<std::u16string> words;
  if (!romanizer_ || count <= 0) return words;
  std::u16string storage;
  previous_ = std::u16string(SearchForm(previous, storage));
  for (roman::RomanCandidate& candidate :
       romanizer_->Candidates(letters, static_cast<std::size_t>(count)))
    words.push_back(std::move(candidate.word));
  return words;
}

}  // namespace lekhora
