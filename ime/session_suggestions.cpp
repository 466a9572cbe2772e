#include "ime/session_suggestions.h"

#include <algorithm>

#include "suggest/canonical_fold.h"

namespace lekhora {

SessionSuggestions::SessionSuggestions(const TypingState& state, const SharedWords& words)
    : state_(state),
      words_(words),
      user_(state, words.User, view_),
      bundled_(state, words.Bundled, view_) {}

std::int16_t SessionSuggestions::SearchList() {
  // The lists are in normal form C, as in the pad's search.
  const std::u16string_view prefix = SearchForm(state_.WordPrefix, folded_);
  const auto matches = [prefix](const WordLists& lists) {
    const auto begin = lists.WordList.begin();
    const auto end = begin + SearchedCount(lists);
    const auto first = std::partition_point(
        begin, end, [prefix](const std::u16string& w) { return ComparePrefix(w, prefix) < 0; });
    const auto last = std::partition_point(
        first, end, [prefix](const std::u16string& w) { return ComparePrefix(w, prefix) == 0; });
    return Range{static_cast<int>(first - begin), static_cast<int>(last - begin)};
  };
  highlight_ = duplicates_ = 0;
  userRange_ = bundledRange_ = Range{};
  if (prefix.empty()) return -1;
  userRange_ = matches(words_.User);
  bundledRange_ = matches(words_.Bundled);
  // The user's matches are few; each is looked up among the bundled ones.
  const auto bundledFirst = words_.Bundled.WordList.begin() + bundledRange_.first;
  const auto bundledLast = words_.Bundled.WordList.begin() + bundledRange_.last;
  for (int k = userRange_.first; k < userRange_.last; ++k)
    if (std::binary_search(bundledFirst, bundledLast, words_.User.WordList[k])) ++duplicates_;
  return Count() > 0 ? 0 : -1;
}

bool SessionSuggestions::IsUserWord(const std::u16string& word) const {
  const auto begin = words_.User.WordList.begin();
  return std::binary_search(begin + userRange_.first, begin + userRange_.last, word);
}

int SessionSuggestions::BundledIndex(int k) const {
  int index = bundledRange_.first;
  for (int skip = k - userRange_.size();; ++index) {
    if (duplicates_ > 0 && IsUserWord(words_.Bundled.WordList[index])) continue;
    if (skip-- == 0) return index;
  }
}

void SessionSuggestions::Candidates(int first, int n, std::vector<std::u16string>& out) const {
  const int end = std::min(Count(), first + n);
  int k = std::max(first, 0);
  for (; k < end && k < userRange_.size(); ++k)
    out.push_back(words_.User.WordList[userRange_.first + k]);
  if (k >= end) return;
  // Past the user's words, the bundled ones follow in list order.
  for (int index = BundledIndex(k); k < end; ++index) {
    const std::u16string& word = words_.Bundled.WordList[index];
    if (duplicates_ > 0 && IsUserWord(word)) continue;
    out.push_back(word);
    ++k;
  }
}

void SessionSuggestions::SetHighlight(int index) {
  if (index >= 0 && index < Count()) highlight_ = index;
}

void SessionSuggestions::ScrollDown() {
  SetHighlight(highlight_ + 1);
}

void SessionSuggestions::ScrollUp() {
  SetHighlight(highlight_ - 1);
}

std::u16string SessionSuggestions::Accept(TextBox& box, int caret, bool separator) {
  if (highlight_ >= Count()) return {};
  if (highlight_ < userRange_.size()) {
    user_.SetSuggestionIndex(static_cast<std::int16_t>(userRange_.first + highlight_));
    return user_.Accept(box, caret, separator);
  }
  bundled_.SetSuggestionIndex(static_cast<std::int16_t>(BundledIndex(highlight_)));
  return bundled_.Accept(box, caret, separator);
}

}  // namespace lekhora
