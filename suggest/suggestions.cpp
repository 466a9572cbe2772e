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
  // Built by appending: GCC 12 at -O3 takes a literal assigned and then
  // appended to for an overlapping copy (-Wrestrict).
  const std::u16string_view word = page.Words[static_cast<std::size_t>(page.Highlight)];
  caption.clear();
  caption.reserve(word.size() + 1);
  caption.push_back(u' ');
  caption.append(word);
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
