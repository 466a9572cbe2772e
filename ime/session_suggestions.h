#pragma once
// A session's candidates: the user's own words that begin with the typed
// prefix, then those of the bundled list, each word once, in the candidate
// model the pad's popup uses too. Accepting writes the highlighted candidate
// over the prefix as the pad's Accept does, so no other text is ever replaced.

#include <string>

#include "engine/suggestion_hooks.h"
#include "engine/typing_state.h"
#include "ime/shared_words.h"
#include "suggest/candidates.h"

namespace lekhora {

class SessionSuggestions final : public SuggestionHooks {
 public:
  /// state and words must outlive this object.
  SessionSuggestions(const TypingState& state, const SharedWords& words);

  /// Finds the candidates for WordPrefix; the first becomes the highlight.
  std::int16_t SearchList() override { return model_.Search(state_.WordPrefix); }
  /// The lookup table is filled from Page when the session shows itself.
  void ShowSuggestions() override {}
  std::u16string Accept(TextBox& box, int caret, bool separator) override {
    return model_.Accept(box, caret, separator, state_.WordPrefix);
  }
  /// Move the highlight, never past the first or the last candidate.
  void ScrollDown() override { model_.ScrollDown(); }
  void ScrollUp() override { model_.ScrollUp(); }
  void Pick(int index) override { SetHighlight(index); }

  int Count() const { return model_.Count(); }
  int Highlight() const { return model_.Highlight(); }
  /// For a click; an index outside the candidates is ignored.
  void SetHighlight(int index) { model_.SetHighlight(index); }
  /// The page of at most size candidates that holds the highlight.
  const CandidatePage& Page(int size) { return model_.Page(size); }
  /// The candidate at index, which must lie among them.
  std::u16string_view Candidate(int index) { return model_.Page(index + 1).Words.back(); }

  /// Ranked candidates (null: the user's words, then the list's, each in
  /// list order), weighing the word written before.
  void SetRanking(const Ranking* ranking) { model_.SetRanking(ranking, &words_.Shipped); }
  void SetPrevious(std::u16string previous) { model_.SetPrevious(std::move(previous)); }

 private:
  const TypingState& state_;
  const SharedWords& words_;
  CandidateModel model_{CandidateModel::Scope::Matches};
};

}  // namespace lekhora
