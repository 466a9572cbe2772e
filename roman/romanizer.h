#pragma once
// Latin letters typed loosely into ranked Devanagari words: a beam search
// over the romanization model, once held to the words of the frequency table
// (each path must stay a prefix of a known word) and once free, so that a
// word outside every list still gets a spelling; both merge into one list.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "roman/letter_model.h"
#include "roman/model.h"
#include "suggest/word_frequencies.h"

namespace lekhora::roman {

struct RomanCandidate {
  std::u16string word;
  /// How good the candidate is, higher is better (a log-probability with the
  /// word's likelihood and any boost added).
  double score = 0;
  /// The frequency table holds the word.
  bool known = false;
  friend bool operator==(const RomanCandidate&, const RomanCandidate&) = default;
};

struct RomanizerOptions {
  /// Paths kept at each letter, for the search held to the table and for the
  /// free one each: the work per word grows with them and the word's length.
  std::size_t beam = 16;
  /// Graphones tried for each group of letters, most frequent first.
  std::size_t per_group = 12;
  /// How much a known word's frequency counts (per natural log of its count).
  /// A little more than the held-out lexicon alone asks: its words are
  /// sampled from an encyclopaedia, mostly rare, while a typist's are mostly
  /// everyday ones, whose common spelling must beat a rare variant's ("nhi"
  /// is नहीं, not नही).
  double frequency_weight = 1.3;
  /// What being a known word counts at all, against a word only the model
  /// spells. (Held-out words of the training lexicon, most of them in no
  /// list, are found best with this; more buries a name under a known word
  /// of similar letters.)
  double known_bonus = 5;
  /// How much looking like the known words' spelling counts (per natural log
  /// of the letter model's probability, roman/letter_model.h).
  double letter_weight = 0.3;
  /// What a vowel sign and a nasal sign cost that the letters do not show
  /// (log-probability; 0 allows none): a known word may have up to two. The
  /// nasal is left out more often ("mene" for मैंने), and costs less.
  double untyped_vowel_cost = 6;
  double untyped_nasal_cost = 4.5;
  /// When set, added to each candidate's score before the ranking: the
  /// place for what the user wrote and chose (history, own words).
  std::function<double(std::u16string_view word, bool known)> boost;
};

/// Not for two threads at once: it remembers its last search.
class Romanizer {
 public:
  /// The longest word the model is asked about; longer input gets no
  /// candidates, which keeps the work per word bounded.
  static constexpr std::size_t kMaxLetters = 32;

  /// Both must outlive the romanizer. The words' letters are counted here
  /// (a tenth of a second for the shipped table); a copy shares them.
  Romanizer(const Model& model, const WordFrequencies& words, RomanizerOptions options = {});
  ~Romanizer();
  Romanizer(const Romanizer& other);
  Romanizer& operator=(const Romanizer&) = delete;
  Romanizer(const Model&&, const WordFrequencies&, RomanizerOptions = {}) = delete;
  Romanizer(const Model&, const WordFrequencies&&, RomanizerOptions = {}) = delete;

  const RomanizerOptions& options() const { return options_; }
  /// Changing the options starts the next search afresh.
  RomanizerOptions& options();

  /// Words searched besides the table's, as known words of the least
  /// frequency (the user's own list): the search follows them too, so that
  /// one the model alone would spell otherwise is still found.
  void SetExtraWords(std::vector<std::u16string> words);
  bool IsExtraWord(std::u16string_view word) const;

  /// At most count candidates for typed, best first, no word twice; none
  /// when typed is empty, longer than kMaxLetters or holds anything but
  /// a..z, A..Z and '~'. A word typed letter by letter costs a few letters'
  /// work per call: the search goes on from the last one's, whose paths up
  /// to the letters both share are the same.
  std::vector<RomanCandidate> Candidates(std::u16string_view typed, std::size_t count) const;

 private:
  struct Memo;
  const Model& model_;
  const WordFrequencies& words_;
  RomanizerOptions options_;
  std::shared_ptr<const LetterModel> letters_;
  std::vector<std::u16string> extra_;  // sorted, unique
  mutable std::unique_ptr<Memo> memo_;
};

}  // namespace lekhora::roman
