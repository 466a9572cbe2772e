#pragma once
// The candidates for a typed prefix, one model for every front end: the
// prefix range in each source, merged into one ordered list, with the
// highlight and the rows shown around it. The pad's popup and the input
// method's lookup table both draw a CandidatePage.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "suggest/ranking.h"
#include "suggest/word_lists.h"

namespace lekhora {

class TextBox;

/// The searched entries of a list from a start on that begin with a prefix:
/// [First, Last). When none does, First == Last is where the prefix would stand.
struct PrefixRange {
  int First = 0;
  int Last = 0;
  int Size() const { return Last - First; }
};

/// Ordinal comparison of the first prefix.size() units of word with prefix
/// (the whole word when it is shorter): below 0, 0 or above 0. No copies, as
/// a search runs it about thirty times per typed key.
int ComparePrefix(std::u16string_view word, std::u16string_view prefix);

/// The one prefix search, over the entries start .. SearchedCount(lists)-1 of
/// a list sorted by code unit; prefix is compared as given (see SearchForm).
PrefixRange FindPrefix(const WordLists& lists, std::u16string_view prefix, int start = 0);

/// What a front end draws: rows of words and which of them is highlighted.
struct CandidatePage {
  /// Views into the sources, valid until the next search or page.
  std::vector<std::u16string_view> Words;
  /// The row of the current suggestion; -1 when it lies outside the rows.
  int Highlight = -1;
  /// False when no word begins with the prefix: the highlighted row is then
  /// an empty one standing where the typed word would be.
  bool Matched = true;
  /// Where the first row stands in the candidate list.
  int First = 0;
  /// The row numbered 1, the next ones 2 to 9: typing the number picks the
  /// row's word. -1 when the digits pick nothing.
  int Numbered = -1;
};

class CandidateModel {
 public:
  /// What the highlight moves over.
  enum class Scope {
    /// The whole first source, as the pad's popup scrolls: a search puts the
    /// highlight on the first match (or where the prefix would stand), and
    /// scrolling leaves the matches for their neighbours, with no bound but
    /// the 16-bit index's range.
    WholeList,
    /// The matches of every source only, as a candidate window lists them;
    /// the highlight never leaves them, and nothing typed lists nothing.
    Matches,
  };

  explicit CandidateModel(Scope scope) : scope_(scope) {}

  /// Sources with a higher score list their words first; a word found in two
  /// sources is listed once, at the first. lists must outlive the model.
  void AddSource(const WordLists& lists, int score = 0);

  /// In Matches scope, orders the candidates by ranking instead: the sources'
  /// matches (those of a source scored above 0 are the user's own words)
  /// among the words the ranking knows, best first. ranking must outlive the
  /// model; null goes back to the sources' order. Takes effect at the next
  /// search. The words of shipped (which must outlive the model too) are no
  /// words the user added, even in a source of the user's.
  void SetRanking(const Ranking* ranking, const WordLists* shipped = nullptr);
  /// The word written just before the one being typed, which the ranking
  /// weighs; empty when there is none.
  void SetPrevious(std::u16string previous) { previous_ = std::move(previous); }
  /// How many ranked candidates a search keeps: ten pages of nine.
  static constexpr int kMostRanked = 90;

  /// Finds prefix (taken in the lists' normal form) in every source from
  /// start on and puts the highlight on the first candidate. Returns the
  /// highlight, or start-1 when no word begins with prefix.
  std::int16_t Search(std::u16string_view prefix, int start = 0);

  /// The highlight's place in the candidate list: in WholeList scope the
  /// index in the first source's list (it may lie outside it).
  int Highlight() const { return highlight_; }
  /// Makes index the current candidate, as if scrolled to; in Matches scope
  /// an index outside the candidates is ignored.
  void SetHighlight(int index);
  /// False after a search that found nothing, until a scroll picks a word.
  bool Matched() const { return matched_; }
  /// How many words begin with the prefix, over all sources.
  int Count() const;

  /// With no match, a scroll down picks the first word after the prefix's
  /// place and a scroll up the last one before it.
  void ScrollDown();
  void ScrollUp();

  /// The rows around the highlight: before rows ahead of it and after rows
  /// behind it, as far as they exist. With no match an empty row stands for
  /// the typed word's place (alone it is no row at all).
  const CandidatePage& Window(int before, int after);
  /// A page of at most size rows holding the highlight; pages follow it, so
  /// the highlight stays on the page it is moved within.
  const CandidatePage& Page(int size);

  /// Writes the current candidate over prefix before caret (and the space
  /// after it, when separator is true) and returns it. Nothing happens with
  /// an empty prefix, with no match, on the list's empty last entry, or when
  /// the text before caret is not the prefix (and the space): no other text
  /// is ever replaced. A highlight outside the first source's list only
  /// selects that range.
  std::u16string Accept(TextBox& box, int caret, bool separator, std::u16string_view prefix) const;

 private:
  struct Source {
    const WordLists* Lists = nullptr;
    int Score = 0;
    PrefixRange Range;
    // How many words of Range earlier sources list already.
    int Repeated = 0;
    // How many candidates this source adds.
    int Listed() const { return Range.Size() - Repeated; }
  };

  bool Inside(int k) const;
  /// Candidate k, which must be Inside.
  std::u16string_view Word(int k) const;
  bool ListedBefore(std::size_t source, std::u16string_view word) const;

  bool Ranked() const { return ranking_ != nullptr; }
  void Rank(std::u16string_view prefix);

  Scope scope_;
  std::vector<Source> sources_;
  const Ranking* ranking_ = nullptr;
  const WordLists* shipped_ = nullptr;
  std::u16string previous_;
  std::vector<std::u16string> ranked_;
  int highlight_ = 0;
  bool matched_ = true;
  int pageStart_ = 0;
  CandidatePage page_;
  // The prefix in normal form C when it needs folding; kept so that a search
  // per typed key reuses its storage.
  std::u16string folded_;
};

}  // namespace lekhora
