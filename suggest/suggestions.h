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
  /// Makes index the current suggestion, chosen as if by a scroll.
  void SetSuggestionIndex(std::int16_t index) {
    suggestion_index_ = index;
    matched_ = true;
  }
  /// False after a search that found nothing, until a scroll picks a word:
  /// there is then no suggestion to accept or to mark.
  bool HasSuggestion() const { return matched_; }
  /// Attaches the popup once it exists; the labels are refilled at the next show.
  void SetView(SuggestionView& view) { view_ = &view; }

  /// First entry from SearchStart that begins with WordPrefix (compared in
  /// normal form C, the list's form), which becomes the current suggestion;
  /// SearchStart-1 when there is none. Then there is no suggestion: the index
  /// moves to where the prefix would stand in the list, so that the popup
  /// shows the nearest words unmarked and a scroll picks one of them.
  std::int16_t SearchList() override;
  /// Two words before the current suggestion, the marked suggestion and eight
  /// after it, as far as they exist. With no suggestion no line is marked, an
  /// empty line stands for the typed word's place (the first empty line: the
  /// list's one empty entry is its last) and the caption says that no word
  /// matches.
  void ShowSuggestions() override;
  /// Replaces the typed prefix before caret (and the space after it) by the
  /// current suggestion and returns it; with no suggestion only the range is
  /// selected. Nothing happens with an empty prefix, after a search that found
  /// no word (the typed word stays as typed), or when the text before caret is
  /// not the prefix (and the space): no other text is ever replaced.
  std::u16string Accept(TextBox& box, int caret, bool separator) override;
  /// With no suggestion, Shift+Down picks the first word after the place of
  /// the typed prefix and Shift+Up the last one before it.
  void ScrollDown() override;
  void ScrollUp() override;
  /// The word at index in WordList becomes the current suggestion.
  void Pick(int index) override;

 private:
  bool Inside(int index) const;
  void Step(int delta);

  const TypingState& state_;
  const WordLists& lists_;
  SuggestionView* view_;
  std::int16_t suggestion_index_ = 0;
  bool matched_ = true;
  std::u16string tip_;  // kept between calls so a refill reuses its storage
  // The prefix in normal form C when it needs folding; kept for the same reason.
  std::u16string folded_prefix_;
};

/// The caption of lblMain while no word begins with the typed prefix.
inline constexpr std::u16string_view kNoMatchCaption = u" No matching word";

/// Ordinal comparison of the first prefix.size() units of word with prefix
/// (the whole word when it is shorter): below 0, 0 or above 0. No copies, as
/// a search runs it up to about thirty times per typed key.
int ComparePrefix(std::u16string_view word, std::u16string_view prefix);

/// A click on a user word: it replaces the selection of box (or goes in at
/// the caret). The word being typed is left as it was.
void CustomWordClick(TextBox& box, std::u16string_view item);

}  // namespace lekhora
