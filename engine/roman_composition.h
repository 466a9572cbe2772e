#pragma once
// Typing Hindi as people spell it in Latin letters: the letters typed so far
// are the word being composed, and the Devanagari words they may stand for
// are offered after every key. A word break commits the highlighted word
// with what the break types; Escape keeps the letters as they are (an English
// word stays English). Where the words come from and how they are ranked is
// the caller's: this is the typing only, the same for every front end.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lekhora {

/// What a call asks of the front end: commit text first, then let the key
/// through to the text or not.
struct RomanStep {
  std::u16string commit;
  bool consumed = true;
};

class RomanComposition {
 public:
  /// Up to count Devanagari words the letters may stand for, typed after
  /// previous (empty: none known), best first.
  using CandidateSource = std::function<std::vector<std::u16string>(
      std::u16string_view letters, std::u16string_view previous, int count)>;
  /// A word the user committed, after the word before it.
  using Learn = std::function<void(std::u16string_view word, std::u16string_view previous)>;

  /// A page of the candidate window; its digits pick on the page shown.
  static constexpr int kPage = 9;
  /// How many candidates are asked for: two pages.
  static constexpr int kCandidates = 2 * kPage;
  /// A longer run of letters is not a Hindi word: it is committed as typed
  /// and the next letter starts a new one.
  static constexpr std::size_t kMaxLetters = 48;

  explicit RomanComposition(CandidateSource candidates, Learn learn = {});

  /// The letters a word is composed of.
  static bool IsLetter(char16_t unit);

  /// A typed character: a letter composes; while composing, a digit 1 to 9
  /// picks that candidate of the page shown (or counted from the highlight,
  /// SetDigitsFromHighlight); anything else ends the word, which is
  /// committed with the character.
  RomanStep Type(char16_t unit);
  /// Removes the last letter; with none the key is the text's own.
  RomanStep Backspace();
  /// Commits the letters as typed.
  RomanStep Escape();
  /// A key that leaves the word (Enter, Tab, the arrows along the text, a
  /// command): the highlighted word is committed and the key goes through.
  RomanStep Leave();
  /// Commits the highlighted word alone, as when the user changes the layout.
  RomanStep CommitNow();
  /// Commits candidate index.
  RomanStep Pick(std::size_t index);
  /// Moves the highlight by steps, never past the first or the last.
  void MoveHighlight(int steps);
  /// Drops the word: the text box or application has it (a focus change).
  void Forget();
  /// Digits count from the highlighted candidate (1 is it) instead of the
  /// start of its page: for a list that scrolls with the highlight rather
  /// than turning pages.
  void SetDigitsFromHighlight(bool on) { digitsFromHighlight_ = on; }
  /// The candidate a digit 1 to 9 picks; past the end when none.
  std::size_t DigitTarget(int digit) const;
  /// The word the next one follows; cleared when the user moves elsewhere.
  void SetPrevious(std::u16string previous) { previous_ = std::move(previous); }
  const std::u16string& Previous() const { return previous_; }

  bool Composing() const { return !letters_.empty(); }
  const std::u16string& Letters() const { return letters_; }
  const std::vector<std::u16string>& Candidates() const { return candidates_; }
  int Highlight() const { return candidates_.empty() ? -1 : highlight_; }
  /// What a word break commits now: the highlighted word, or the letters
  /// when nothing stands for them.
  const std::u16string& Chosen() const;
  /// Asks for the candidates again (the words or the history changed).
  void Refresh();

 private:
  /// Commits word followed by after; a candidate is learned, and followed
  /// by the next word unless after parts them.
  RomanStep Commit(std::u16string word, std::u16string_view after, bool candidate);

  CandidateSource source_;
  Learn learn_;
  std::u16string letters_;
  std::vector<std::u16string> candidates_;
  int highlight_ = 0;
  std::u16string previous_;
  bool digitsFromHighlight_ = false;
};

}  // namespace lekhora
