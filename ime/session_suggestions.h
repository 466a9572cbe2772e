#pragma once
// A session's candidates: the user's own words that begin with the typed
// prefix, then those of the bundled list, each word once. Each list is
// searched as the pad searches its list; accepting a candidate writes it over
// the prefix as the pad's Accept does, so no other text is ever replaced.

#include <string>
#include <vector>

#include "engine/suggestion_hooks.h"
#include "engine/typing_state.h"
#include "ime/shared_words.h"
#include "suggest/suggestion_view.h"
#include "suggest/suggestions.h"

namespace lekhora {

class SessionSuggestions final : public SuggestionHooks {
 private:
  struct Range {
    int first = 0;
    int last = 0;
    int size() const { return last - first; }
  };

 public:
  /// state and words must outlive this object.
  SessionSuggestions(const TypingState& state, const SharedWords& words);

  /// Finds the candidates for WordPrefix; the first becomes the highlight.
  std::int16_t SearchList() override;
  void ShowSuggestions() override {}
  /// Writes the highlighted candidate over the prefix (see Suggestions::Accept).
  std::u16string Accept(TextBox& box, int caret, bool separator) override;
  /// Move the highlight, never past the first or the last candidate.
  void ScrollDown() override;
  void ScrollUp() override;
  void Pick(int index) override { SetHighlight(index); }

  /// How many candidates the last search found.
  int Count() const { return userRange_.size() + bundledRange_.size() - duplicates_; }
  int Highlight() const { return highlight_; }
  /// For a click; an index outside the candidates is ignored.
  void SetHighlight(int index);
  /// Candidates first .. first + n - 1, as far as they exist, into out.
  void Candidates(int first, int n, std::vector<std::u16string>& out) const;

 private:
  /// The index in the bundled list of candidate k, which is past the user's words.
  int BundledIndex(int k) const;
  bool IsUserWord(const std::u16string& word) const;

  const TypingState& state_;
  const SharedWords& words_;
  NullSuggestionView view_;
  // Each does the safe replacement for a word of its list.
  Suggestions user_;
  Suggestions bundled_;
  std::u16string folded_;
  Range userRange_;
  Range bundledRange_;
  // User words the bundled range holds too: shown once, as the user's.
  int duplicates_ = 0;
  int highlight_ = 0;
};

}  // namespace lekhora
