#pragma once
// Learning the romanization model from Hindi words with the ways people
// spell them in Latin letters.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lekhora::roman {

struct Spelling {
  std::string latin;
  std::u16string devanagari;
  std::uint32_t weight = 1;  // how many people spelled the word so
};

/// The spellings of a lexicon of lines LATIN<TAB>DEVANAGARI<TAB>COUNT (UTF-8);
/// lines of another form are left out.
std::vector<Spelling> ReadLexicon(std::string_view text);

/// The model's text (Model::ToText) learned from the spellings: each
/// spelling is cut into graphones by expectation-maximisation over all the
/// ways to cut it (one to three Latin letters against one Devanagari
/// group), then the most likely cut of each is counted as n-grams, as often
/// as people spelled the word so.
/// The same spellings give the same bytes.
std::string TrainModel(const std::vector<Spelling>& spellings);

}  // namespace lekhora::roman
