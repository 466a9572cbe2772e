#include "engine/roman_composition.h"

#include <algorithm>

namespace lekhora {

RomanComposition::RomanComposition(CandidateSource candidates, Learn learn)
    : source_(std::move(candidates)), learn_(std::move(learn)) {}

bool RomanComposition::IsLetter(char16_t unit) {
  return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
}

const std::u16string& RomanComposition::Chosen() const {
  if (candidates_.empty()) return letters_;
  return candidates_[static_cast<std::size_t>(highlight_)];
}

void RomanComposition::Refresh() {
  highlight_ = 0;
  candidates_.clear();
  if (letters_.empty() || !source_) return;
  candidates_ = source_(letters_, previous_, kCandidates);
  if (candidates_.size() > static_cast<std::size_t>(kCandidates))
    candidates_.resize(static_cast<std::size_t>(kCandidates));
  // An empty word would commit nothing for the letters typed.
  std::erase_if(candidates_, [](const std::u16string& word) { return word.empty(); });
}

RomanStep RomanComposition::Commit(std::u16string word, std::u16string_view after, bool candidate) {
  RomanStep step;
  if (candidate && learn_) learn_(word, previous_);
  // Only a space keeps the next word after this one; a word committed
  // alone (a click) is followed by whatever the user types next.
  if (candidate && (after.empty() || after == u" "))
    previous_ = word;
  else
    previous_.clear();
  step.commit = std::move(word);
  step.commit += after;
  letters_.clear();
  candidates_.clear();
  highlight_ = 0;
  return step;
}

RomanStep RomanComposition::Type(char16_t unit) {
  // "~" marks a nasal vowel inside a word; alone it is the text's own.
  if (IsLetter(unit) || (unit == u'~' && Composing())) {
    RomanStep step;
    if (letters_.size() >= kMaxLetters) step = Commit(letters_, {}, false);
    letters_ += unit;
    Refresh();
    return step;
  }
  if (!Composing()) {
    if (unit != u' ') previous_.clear();
    return {{}, false};
  }
  if (unit >= u'1' && unit <= u'9') {
    const std::size_t index = DigitTarget(unit - u'0');
    if (index < candidates_.size()) return Pick(index);
  }
  const bool candidate = !candidates_.empty();
  return Commit(Chosen(), std::u16string_view(&unit, 1), candidate);
}

std::size_t RomanComposition::DigitTarget(int digit) const {
  const int first = digitsFromHighlight_ ? highlight_ : highlight_ / kPage * kPage;
  return static_cast<std::size_t>(first + digit - 1);
}

RomanStep RomanComposition::Backspace() {
  if (!Composing()) {
    previous_.clear();
    return {{}, false};
  }
  letters_.pop_back();
  Refresh();
  return {};
}

RomanStep RomanComposition::Escape() {
  if (!Composing()) return {{}, false};
  return Commit(letters_, {}, false);
}

RomanStep RomanComposition::Leave() {
  RomanStep step = CommitNow();
  step.consumed = false;
  // The key takes the caret elsewhere: the next word follows nothing known.
  previous_.clear();
  return step;
}

RomanStep RomanComposition::CommitNow() {
  if (!Composing()) return {{}, true};
  const bool candidate = !candidates_.empty();
  return Commit(Chosen(), {}, candidate);
}

RomanStep RomanComposition::Pick(std::size_t index) {
  if (index >= candidates_.size()) return {};
  return Commit(candidates_[index], {}, true);
}

void RomanComposition::MoveHighlight(int steps) {
  if (candidates_.empty()) return;
  const int last = static_cast<int>(candidates_.size()) - 1;
  highlight_ = std::clamp(highlight_ + steps, 0, last);
}

void RomanComposition::Forget() {
  letters_.clear();
  candidates_.clear();
  highlight_ = 0;
  previous_.clear();
}

}  // namespace lekhora
