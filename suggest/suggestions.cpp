#include "suggest/suggestions.h"

#include <algorithm>
#include <vector>

#include "base/checked16.h"
#include "base/error.h"
#include "suggest/canonical_fold.h"

namespace lekhora {

namespace {

// The first entry in [low, match] that begins with prefix, given that match
// does and, the list being sorted, that those before it either sort below the
// prefix or begin with it too.
int FirstMatch(const std::vector<std::u16string>& words, int low, int match,
               std::u16string_view prefix) {
  int high = match;
  while (low < high) {
    const int mid = low + (high - low) / 2;
    if (ComparePrefix(words[mid], prefix) < 0)
      low = mid + 1;
    else
      high = mid;
  }
  return low;
}

// The popup shows the current suggestion with this many neighbours in the list
// before it and after it.
constexpr int kWordsBefore = 2;
constexpr int kWordsAfter = 8;

}  // namespace

int ComparePrefix(std::u16string_view word, std::u16string_view prefix) {
  return word.substr(0, prefix.size()).compare(prefix);
}

Suggestions::Suggestions(const TypingState& state, const WordLists& lists, SuggestionView& view)
    : state_(state), lists_(lists), view_(&view) {}

bool Suggestions::Inside(int index) const {
  return index >= 0 && static_cast<std::size_t>(index) < lists_.WordList.size();
}

std::int16_t Suggestions::SearchList() {
  // The list is in normal form C, and canonically equivalent text is the same
  // text, so the prefix is compared in that form too. WordPrefix itself stays
  // as typed: Accept replaces exactly its units.
  const std::u16string_view prefix = SearchForm(state_.WordPrefix, folded_prefix_);
  const int start = state_.SearchStart;
  const std::int16_t not_found = CheckedAdd16(start, -1);
  const int last = SearchedCount(lists_);
  int low = std::max(start, 0);
  int high = last - 1;
  while (low <= high) {
    const int mid = low + (high - low) / 2;
    const int order = ComparePrefix(lists_.WordList[mid], prefix);
    if (order == 0) {
      // Everything below low sorts below the prefix; a second bisection finds
      // the first match between there and this hit.
      suggestion_index_ = static_cast<std::int16_t>(FirstMatch(lists_.WordList, low, mid, prefix));
      matched_ = true;
      return suggestion_index_;
    }
    if (order < 0)
      low = mid + 1;
    else
      high = mid - 1;
  }
  // Keeping the last word as the suggestion would let an accept write that
  // unrelated word over the one typed. low is where the prefix would stand.
  suggestion_index_ = static_cast<std::int16_t>(low);
  matched_ = false;
  return not_found;
}

void Suggestions::ShowSuggestions() {
  tip_.clear();
  for (int i = 0; i <= kWordsBefore + kWordsAfter; ++i) {
    // With no suggestion an empty line stands where the typed word would be
    // in the list, and the words after it move down by one.
    if (!matched_ && i == kWordsBefore) {
      tip_ += u"\r\n";
      continue;
    }
    const int k = suggestion_index_ - kWordsBefore + i - (!matched_ && i > kWordsBefore ? 1 : 0);
    if (!Inside(k)) continue;
    const std::u16string& word = lists_.WordList[k];
    if (i == kWordsBefore) {
      view_->SetMainCaption(u" " + word);
      tip_ += u"<<< ";
      tip_ += word;
      tip_ += u" >>>\r\n";
    } else {
      tip_ += word;
      tip_ += u"\r\n";
    }
  }
  if (!matched_) {
    view_->SetMainCaption(std::u16string(kNoMatchCaption));
    // Without a word on either side there is no place to show.
    if (tip_ == u"\r\n") tip_.clear();
  }
  view_->SetTipText(tip_);
}

std::u16string Suggestions::Accept(TextBox& box, int caret, bool separator) {
  const std::u16string& prefix = state_.WordPrefix;
  // Nothing typed: a space typed after a finished word stays a space.
  if (prefix.empty()) return {};
  // No word begins with it: the word stays as typed, and so does the space.
  // Nor is the list's empty last entry a word to write over it.
  if (!matched_ || (Inside(suggestion_index_) && lists_.WordList[suggestion_index_].empty()))
    return {};
  const int typed = static_cast<int>(prefix.size()) + (separator ? 1 : 0);
  // A prefix longer than the text before the caret: nothing to replace.
  if (!box.SetSelStart(caret - typed)) return {};
  box.SetSelLength(typed);
  const std::u16string range = box.SelText();
  if (range.size() != static_cast<std::size_t>(typed) ||
      range.compare(0, prefix.size(), prefix) != 0 || (separator && range.back() != u' ')) {
    box.SetSelStart(caret);
    return {};
  }
  if (!Inside(suggestion_index_)) return {};
  const std::u16string& word = lists_.WordList[suggestion_index_];
  box.SetSelText(word);
  return word;
}

void Suggestions::Step(int delta) {
  matched_ = true;
  try {
    suggestion_index_ = CheckedAdd16(suggestion_index_, delta);
  } catch (const Error&) {
    // At the end of the 16-bit range the step is not made.
  }
  ShowSuggestions();
}

void Suggestions::ScrollDown() {
  // With no suggestion the index already names the word after the gap.
  Step(matched_ ? 1 : 0);
}

void Suggestions::ScrollUp() {
  Step(-1);
}

void Suggestions::Pick(int index) {
  if (index >= 0 && index < lists_.WordCount) SetSuggestionIndex(static_cast<std::int16_t>(index));
}

void CustomWordClick(TextBox& box, std::u16string_view item) {
  box.SetSelText(item);
}

}  // namespace lekhora
