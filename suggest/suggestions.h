#pragma once
// The prefix search over the word list, the popup's contents, and accepting
// and scrolling suggestions.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/suggestion_hooks.h"
#include "engine/text_box.h"
#include "engine/typing_state.h"
#include "suggest/suggestion_view.h"
#include "suggest/word_lists.h"

namespace lekhora {

class Suggestions final : public SuggestionHooks {
 public:
  /// Reads WordPrefix and SearchStart from state; the lists must be sorted by
  /// code unit. All three must outlive this object; the view can be swapped.
  Suggestions(const TypingState& state, const WordLists& lists, SuggestionView& view);

  /// Index in WordList of the current suggestion (may lie outside it).
  std::int16_t SuggestionIndex() const { return suggestion_index_; }
  void SetSuggestionIndex(std::int16_t index) { suggestion_index_ = index; }
  /// Attaches the popup once it exists; the labels are refilled at the next show.
  void SetView(SuggestionView& view) { view_ = &view; }

  /// First entry from SearchStart that begins with WordPrefix (compared in
  /// normal form C, the list's form), which becomes the current suggestion;
  /// SearchStart-1 when there is none (the current suggestion is then kept).
  std::int16_t SearchList() override;
  /// Two words before the current suggestion, the marked suggestion and eight
  /// after it, as far as they exist.
  void ShowSuggestions() override;
  /// Replaces the typed prefix before caret (and the space after it) by the
  /// current suggestion and returns it; with no suggestion only the range is
  /// selected. Nothing happens with an empty prefix, or when the text before
  /// caret is not the prefix (and the space): no other text is ever replaced.
  std::u16string Accept(TextBox& box, int caret, bool separator) override;
  void ScrollDown() override;
  void ScrollUp() override;

 private:
  bool Inside(int index) const;
  void Step(int delta);

  const TypingState& state_;
  const WordLists& lists_;
  SuggestionView* view_;
  std::int16_t suggestion_index_ = 0;
  std::u16string tip_;  // kept between calls so a refill reuses its storage
  // The prefix in normal form C when it needs folding; kept for the same reason.
  std::u16string folded_prefix_;
};

/// Ordinal comparison of the first prefix.size() units of word with prefix
/// (the whole word when it is shorter): below 0, 0 or above 0. No copies, as
/// a search runs it up to about thirty times per typed key.
int ComparePrefix(std::u16string_view word, std::u16string_view prefix);

/// A click on a user word: it replaces the selection of box (or goes in at
/// the caret). The word being typed is left as it was.
void CustomWordClick(TextBox& box, std::u16string_view item);

}  // namespace lekhora
