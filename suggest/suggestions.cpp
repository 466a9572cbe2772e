#include "suggest/suggestions.h"

namespace lekhora {

Suggestions::Suggestions(const TypingState& state, const WordLists& lists, SuggestionView& view)
    : state_(state), lists_(lists), view_(view) {
  model_.AddSource(lists);
}

void Suggestions::ScrollDown() {
  Model().ScrollDown();
  ShowSuggestions();
}

void Suggestions::ScrollUp() {
  Model().ScrollUp();
  ShowSuggestions();
}

void Suggestions::SetRanking(const Ranking* ranking) {
  if (ranking == nullptr) {
    ranked_.reset();
    return;
  }
  ranked_.emplace(CandidateModel::Scope::Matches);
  ranked_->AddSource(lists_);
  ranked_->SetRanking(ranking);
  ranked_->SetPrevious(previous_);
}

void Suggestions::SetPrevious(std::u16string previous) {
  previous_ = std::move(previous);
  if (ranked_) ranked_->SetPrevious(previous_);
}

std::u16string Suggestions::CurrentWord() {
  const CandidatePage& page = Model().Window(0, 0);
  if (!page.Matched || page.Highlight != 0 || page.Words.empty()) return {};
  return std::u16string(page.Words.front());
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
  if (ranked_) {
    ranked_->SetHighlight(index);
  } else if (index >= 0 && index < lists_.WordCount) {
    SetSuggestionIndex(static_cast<std::int16_t>(index));
  }
}

void CustomWordClick(TextBox& box, std::u16string_view item) {
  box.SetSelText(item);
}

}  // namespace lekhora
