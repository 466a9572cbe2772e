#include "suggest/suggestions.h"

namespace lekhora {

Suggestions::Suggestions(const TypingState& state, const WordLists& lists, SuggestionView& view)
    : state_(state), lists_(lists), view_(view) {
  model_.AddSource(lists);
}

void Suggestions::ScrollDown() {
  model_.ScrollDown();
  ShowSuggestions();
}

void Suggestions::ScrollUp() {
  model_.ScrollUp();
  ShowSuggestions();
}

bool MainCaptionOf(const CandidatePage& page, std::u16string& caption) {
  if (!page.Matched) {
    caption = kNoMatchCaption;
    return true;
  }
  if (page.Highlight < 0) return false;
  caption = u" ";
  caption += page.Words[static_cast<std::size_t>(page.Highlight)];
  return true;
}

std::u16string TipTextOf(const CandidatePage& page) {
  std::u16string text;
  for (std::size_t row = 0; row < page.Words.size(); ++row) {
    const bool marked = page.Matched && static_cast<int>(row) == page.Highlight;
    if (marked) text += u"<<< ";
    text += page.Words[row];
    if (marked) text += u" >>>";
    text += u"\r\n";
  }
  return text;
}

void Suggestions::Pick(int index) {
  if (index >= 0 && index < lists_.WordCount) SetSuggestionIndex(static_cast<std::int16_t>(index));
}

void CustomWordClick(TextBox& box, std::u16string_view item) {
  box.SetSelText(item);
}

}  // namespace lekhora
