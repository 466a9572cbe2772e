#pragma once
// The pad's suggestions: the key handlers' calls (search, show, accept,
// scroll) over the candidate model of the word list, shown in the popup.
// In list order the popup shows the word list around the first match; ranked,
// it shows the matches best first, and the keys move over those alone.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/suggestion_hooks.h"
#include "engine/text_box.h"
#include "engine/typing_state.h"
#include "suggest/candidates.h"
#include "suggest/suggestion_view.h"
#include "suggest/word_lists.h"

namespace lekhora {

class Suggestions final : public SuggestionHooks {
 public:
  /// Reads WordPrefix and SearchStart from state; the lists must be sorted by
  /// code unit. All three must outlive this object.
  Suggestions(const TypingState& state, const WordLists& lists, SuggestionView& view);

  /// Index in WordList of the current suggestion (may lie outside it).
  /// Ranked, the place of the current suggestion among the ranked matches.
  std::int16_t SuggestionIndex() const { return static_cast<std::int16_t>(Model().Highlight()); }
  /// Makes index the current suggestion, chosen as if by a scroll.
  void SetSuggestionIndex(std::int16_t index) { Model().SetHighlight(index); }
  /// False after a search that found nothing, until a scroll picks a word:
  /// there is then no suggestion to accept or to mark.
  bool HasSuggestion() const { return Model().Matched(); }

  /// First entry from SearchStart that begins with WordPrefix (compared in
  /// normal form C, the list's form), which becomes the current suggestion;
  /// SearchStart-1 when there is none. Then there is no suggestion: the index
  /// moves to where the prefix would stand in the list, so that the popup
  /// shows the nearest words unmarked and a scroll picks one of them.
  std::int16_t SearchList() override {
    return Model().Search(state_.WordPrefix, state_.SearchStart);
  }
  /// Two words before the current suggestion, the marked suggestion and eight
  /// after it, as far as they exist. With no suggestion no row is marked, an
  /// empty row stands for the typed word's place and the caption says that
  /// no word matches.
  void ShowSuggestions() override { view_.Show(Model().Window(kWordsBefore, kWordsAfter)); }
  /// Replaces the typed prefix before caret (and the space after it) by the
  /// current suggestion and returns it (see CandidateModel::Accept).
  std::u16string Accept(TextBox& box, int caret, bool separator) override {
    return Model().Accept(box, caret, separator, state_.WordPrefix);
  }
  /// With no suggestion, Shift+Down picks the first word after the place of
  /// the typed prefix and Shift+Up the last one before it.
  void ScrollDown() override;
  void ScrollUp() override;
  /// The word at index in WordList (ranked: in the ranked matches) becomes
  /// the current suggestion.
  void Pick(int index) override;

  /// Ranks the matches of the typed prefix (best first, the best one the
  /// current suggestion) from the next search on; null goes back to the
  /// list's order. ranking must outlive this object.
  void SetRanking(const Ranking* ranking);
  bool Ranked() const { return ranked_.has_value(); }
  /// The word written before the one being typed, which the ranking weighs.
  void SetPrevious(std::u16string previous);
  /// The current suggestion; empty when there is none to accept.
  std::u16string CurrentWord();

  /// The popup shows the current suggestion with this many neighbours in the
  /// list before it and after it.
  static constexpr int kWordsBefore = 2;
  static constexpr int kWordsAfter = 8;

 private:
  CandidateModel& Model() { return ranked_ ? *ranked_ : model_; }
  const CandidateModel& Model() const { return ranked_ ? *ranked_ : model_; }

  const TypingState& state_;
  const WordLists& lists_;
  SuggestionView& view_;
  CandidateModel model_{CandidateModel::Scope::WholeList};
  // Only the matches are ranked, so the ranked model never leaves them.
  std::optional<CandidateModel> ranked_;
  std::u16string previous_;
};

/// A click on a user word: it replaces the selection of box (or goes in at
/// the caret). The word being typed is left as it was.
void CustomWordClick(TextBox& box, std::u16string_view item);

}  // namespace lekhora
