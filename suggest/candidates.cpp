#include "suggest/candidates.h"

#include <algorithm>

#include "base/checked16.h"
#include "base/error.h"
#include "engine/text_box.h"
#include "suggest/canonical_fold.h"

namespace lekhora {

int ComparePrefix(std::u16string_view word, std::u16string_view prefix) {
  return word.substr(0, prefix.size()).compare(prefix);
}

PrefixRange FindPrefix(const WordLists& lists, std::u16string_view prefix, int start) {
  const auto begin = lists.WordList.begin();
  const int low = std::min(std::max(start, 0), SearchedCount(lists));
  const auto end = begin + SearchedCount(lists);
  const auto first = std::partition_point(
      begin + low, end, [prefix](std::u16string_view w) { return ComparePrefix(w, prefix) < 0; });
  // Most ranges are a few words long: gallop over them before bisecting, so
  // that a longer prefix costs fewer comparisons than the first letter.
  auto bound = first;
  for (std::ptrdiff_t step = 1; bound != end && ComparePrefix(*bound, prefix) == 0; step *= 2)
    bound = end - bound > step ? bound + step : end;
  const auto last = std::partition_point(
      first, bound, [prefix](std::u16string_view w) { return ComparePrefix(w, prefix) == 0; });
  return {static_cast<int>(first - begin), static_cast<int>(last - begin)};
}

void CandidateModel::AddSource(const WordLists& lists, int score) {
  const auto after = std::find_if(sources_.begin(), sources_.end(),
                                  [score](const Source& s) { return s.Score < score; });
  sources_.insert(after, Source{&lists, score, {}, 0});
}

void CandidateModel::SetRanking(const Ranking* ranking, const WordLists* shipped) {
  ranking_ = scope_ == Scope::Matches ? ranking : nullptr;
  shipped_ = shipped;
  ranked_.clear();
}

void CandidateModel::Rank(std::u16string_view prefix) {
  // The first words of each range in list order: the ranking finds the
  // likely ones of a long range through the frequencies itself.
  ListMatches matches;
  const auto shipped = [this](std::u16string_view word) {
    if (shipped_ == nullptr) return false;
    const auto begin = shipped_->WordList.begin();
    return std::binary_search(begin, begin + SearchedCount(*shipped_), word);
  };
  for (const Source& source : sources_) {
    const int last = std::min(source.Range.Last, source.Range.First + Ranking::kOffered);
    for (int k = source.Range.First; k < last; ++k) {
      const std::u16string_view word = source.Lists->WordList[k];
      const bool added = source.Score > 0 && !shipped(word);
      (added ? matches.Users : matches.Bundled).push_back(word);
    }
  }
  ranked_ = ranking_->Rank(prefix, previous_, matches, kMostRanked);
}

bool CandidateModel::ListedBefore(std::size_t source, std::u16string_view word) const {
  for (std::size_t s = 0; s < source; ++s) {
    const auto begin = sources_[s].Lists->WordList.begin();
    if (std::binary_search(begin + sources_[s].Range.First, begin + sources_[s].Range.Last, word))
      return true;
  }
  return false;
}

std::int16_t CandidateModel::Search(std::u16string_view typed, int start) {
  const std::int16_t notFound = CheckedAdd16(start, -1);
  // The lists are in normal form C, and canonically equivalent text is the
  // same text, so the prefix is compared in that form too.
  const std::u16string_view prefix = SearchForm(typed, folded_);
  const bool none = scope_ == Scope::Matches && prefix.empty();
  for (std::size_t s = 0; s < sources_.size(); ++s) {
    Source& source = sources_[s];
    source.Range = none ? PrefixRange{} : FindPrefix(*source.Lists, prefix, start);
    // An earlier source's matches are few next to a later one's: each is
    // looked up there.
    source.Repeated = 0;
    const auto later = source.Lists->WordList.begin();
    for (std::size_t e = 0; e < s; ++e) {
      const Source& earlier = sources_[e];
      for (int k = earlier.Range.First; k < earlier.Range.Last; ++k) {
        const std::u16string_view word = earlier.Lists->WordList[k];
        if (std::binary_search(later + source.Range.First, later + source.Range.Last, word) &&
            !ListedBefore(e, word))
          ++source.Repeated;
      }
    }
  }
  if (Ranked()) Rank(none ? std::u16string_view() : prefix);
  if (scope_ == Scope::Matches) {
    highlight_ = 0;
    matched_ = Count() > 0;
    return matched_ ? 0 : notFound;
  }
  // With no match the highlight goes where the prefix would stand, so that
  // the rows show the nearest words and a scroll picks one of them; keeping
  // the last word would let an accept write that unrelated word over the one
  // typed.
  const PrefixRange range = sources_.empty() ? PrefixRange{} : sources_.front().Range;
  highlight_ = range.First;
  matched_ = range.Size() > 0;
  return matched_ ? static_cast<std::int16_t>(range.First) : notFound;
}

int CandidateModel::Count() const {
  if (Ranked()) return static_cast<int>(ranked_.size());
  int count = 0;
  for (const Source& s : sources_) count += s.Listed();
  return count;
}

bool CandidateModel::Inside(int k) const {
  if (k < 0) return false;
  if (scope_ == Scope::Matches) return k < Count();
  return !sources_.empty() && k < sources_.front().Lists->WordList.size();
}

std::u16string_view CandidateModel::Word(int k) const {
  if (scope_ == Scope::WholeList) return sources_.front().Lists->WordList[k];
  if (Ranked()) return ranked_[static_cast<std::size_t>(k)];
  for (std::size_t s = 0;; ++s) {
    const Source& source = sources_[s];
    if (k >= source.Listed()) {
      k -= source.Listed();
      continue;
    }
    for (int index = source.Range.First;; ++index) {
      const std::u16string_view word = source.Lists->WordList[index];
      if (source.Repeated > 0 && ListedBefore(s, word)) continue;
      if (k-- == 0) return word;
    }
  }
}

void CandidateModel::SetHighlight(int index) {
  if (scope_ == Scope::Matches && !Inside(index)) return;
  highlight_ = index;
  matched_ = true;
}

void CandidateModel::ScrollDown() {
  if (scope_ == Scope::Matches) return SetHighlight(highlight_ + 1);
  // With no match the highlight already names the word after the gap.
  const int step = matched_ ? 1 : 0;
  matched_ = true;
  try {
    highlight_ = CheckedAdd16(highlight_, step);
  } catch (const Error&) {
    // At the end of the 16-bit range the step is not made.
  }
}

void CandidateModel::ScrollUp() {
  if (scope_ == Scope::Matches) return SetHighlight(highlight_ - 1);
  matched_ = true;
  try {
    highlight_ = CheckedAdd16(highlight_, -1);
  } catch (const Error&) {
  }
}

const CandidatePage& CandidateModel::Window(int before, int after) {
  page_.Words.clear();
  page_.Highlight = -1;
  page_.Matched = matched_;
  page_.First = highlight_ - before;
  for (int i = 0; i <= before + after; ++i) {
    if (!matched_ && i == before) {
      page_.Highlight = static_cast<int>(page_.Words.size());
      page_.Words.emplace_back();
      continue;
    }
    // With no match the words after the gap move down by one row.
    const int k = highlight_ - before + i - (!matched_ && i > before ? 1 : 0);
    if (!Inside(k)) continue;
    if (i == before) page_.Highlight = static_cast<int>(page_.Words.size());
    page_.Words.emplace_back(Word(k));
  }
  // Without a word on either side there is no place to show.
  if (!matched_ && page_.Words.size() == 1) {
    page_.Words.clear();
    page_.Highlight = -1;
  }
  return page_;
}

const CandidatePage& CandidateModel::Page(int size) {
  page_.Words.clear();
  page_.Highlight = -1;
  page_.Matched = matched_;
  const int count = Count();
  if (scope_ == Scope::WholeList || count == 0 || size <= 0) return page_;
  if (highlight_ < pageStart_ || highlight_ >= pageStart_ + size) pageStart_ = highlight_;
  page_.First = pageStart_;
  page_.Highlight = highlight_ - pageStart_;
  const int end = std::min(count, pageStart_ + size);
  if (Ranked()) {
    for (int k = pageStart_; k < end; ++k) page_.Words.emplace_back(Word(k));
    return page_;
  }
  // Row by row, each source's words in list order past those listed before.
  int k = 0;
  for (std::size_t s = 0; s < sources_.size() && k < end; ++s) {
    const Source& source = sources_[s];
    const int listed = source.Listed();
    if (k + listed <= pageStart_) {
      k += listed;
      continue;
    }
    for (int index = source.Range.First; index < source.Range.Last && k < end; ++index) {
      const std::u16string_view word = source.Lists->WordList[index];
      if (source.Repeated > 0 && ListedBefore(s, word)) continue;
      if (k++ >= pageStart_) page_.Words.emplace_back(word);
    }
  }
  return page_;
}

std::u16string CandidateModel::Accept(TextBox& box, int caret, bool separator,
                                      std::u16string_view prefix) const {
  // Nothing typed: a space typed after a finished word stays a space. No
  // match: the word stays as typed, and so does the space.
  if (prefix.empty() || !matched_) return {};
  const bool inside = Inside(highlight_);
  // Nor is the list's empty last entry a word to write over it.
  if (inside && Word(highlight_).empty()) return {};
  if (!inside && scope_ == Scope::Matches) return {};
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
  if (!inside) return {};
  std::u16string word(Word(highlight_));
  box.SetSelText(word);
  return word;
}

}  // namespace lekhora
