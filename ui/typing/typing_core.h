#pragma once
// The typing window's engine and suggestions over one text box, and the key
// sink that feeds them from the typing box. It learns each word a word break
// ends into the user's history. With IntelligentRoman the keys compose Latin
// letters into words instead: the letters stand in the box as typed (so
// nothing is lost), and a break writes the chosen Devanagari word over them.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/roman_composition.h"
#include "engine/typing_engine.h"
#include "suggest/suggestions.h"
#include "ui/typing/key_sink.h"

namespace lekhora {

class WordRanking;

class TypingCore final : public KeySink {
 public:
  /// box, lists and view must outlive the core.
  TypingCore(TextBox& box, const WordLists& lists, SuggestionView& view)
      : box_(box),
        view_(view),
        engine_(box, suggestions_),
        suggestions_(engine_.State(), lists, view) {}

  TypingEngine& Engine() { return engine_; }
  Suggestions& Suggest() { return suggestions_; }

  /// What the words are learned into and, when ranked is true, what orders
  /// the suggestions; null learns nothing and keeps the list's order.
  /// ranking must outlive the core or be replaced first.
  void SetRanking(WordRanking* ranking, bool ranked);
  /// Called after each word learned, so that the history is written soon.
  void OnLearned(std::function<void()> learned) { learned_ = std::move(learned); }

  /// Types with layout from the next key on. Leaving IntelligentRoman
  /// writes the chosen word over the letters, as a break would without its key.
  void SetLayout(std::shared_ptr<const Layout> layout);
  /// The "Enable Unicode Typing" switch; off, the letters being composed stay
  /// as they are.
  void SetConversion(bool on);
  /// The Devanagari words Latin letters may stand for, best first; without a
  /// source IntelligentRoman offers nothing and the letters stay Latin.
  void SetRomanSource(RomanComposition::CandidateSource source);
  /// Asks for the candidates of the letters being composed again (the
  /// history changed) and shows them.
  void RomanAgain();
  /// The layout is IntelligentRoman.
  bool Roman() const { return roman_.has_value(); }
  /// The letters being composed and their candidates; null unless Roman().
  const RomanComposition* Composition() const { return roman_ ? &*roman_ : nullptr; }

  /// Where the letters being composed stand in the box; Length 0 when none are.
  struct Range {
    int Start = 0;
    int Length = 0;
  };
  Range Composing() const;
  /// Called whenever the composing range or its candidates change.
  void OnComposingChanged(std::function<void()> changed) { composingChanged_ = std::move(changed); }

  /// Text typed by a click on the on-screen keyboard: with IntelligentRoman
  /// its letters compose as typed keys do; otherwise it is written as it stands.
  void TypeText(std::u16string_view text);
  /// A click on word in the popup: while it is a candidate of the letters
  /// being composed, it is written over them. False when nothing was written.
  bool PickWord(std::u16string_view word);
  /// The box's text, caret or selection may have changed by other means than
  /// the key handlers' own edits: a box that no longer holds the letters
  /// being composed just before the caret ends the composition, and the
  /// letters stay as they are.
  void BoxChanged();

  bool Key(const KeyEvent& event) override;
  void MouseUp() override;

 private:
  /// The word before the caret has ended with breakUnit.
  void WordEnded(char16_t breakUnit);

  // IntelligentRoman's side.
  std::vector<std::u16string> RomanWords(std::u16string_view letters, std::u16string_view previous,
                                         int count) const;
  /// A candidate was committed: it is learned.
  void RomanCommitted(std::u16string_view word, std::u16string_view previous);
  bool RomanKey(const KeyEvent& event);
  /// Types one unit into the composition.
  bool RomanType(char16_t unit);
  /// Writes what step commits over the letters that stood in the box before
  /// it; returns whether the key is consumed.
  bool ApplyRoman(const RomanStep& step, int lettersBefore);
  /// Ends the composition with the letters left in the box as typed.
  void EndComposition();
  /// The box still holds the letters just before the caret, nothing selected.
  bool BoxHoldsLetters() const;
  void ShowRoman();

  TextBox& box_;
  SuggestionView& view_;
  // The engine only keeps a reference to the suggestions while both are
  // built; the suggestions read the engine's state from then on.
  TypingEngine engine_;
  Suggestions suggestions_;
  WordRanking* ranking_ = nullptr;
  std::function<void()> learned_;
  // Where the last word learned ended, until another key is typed: a second
  // break there (Escape twice) ends no new word.
  int learnedAt_ = -1;

  RomanComposition::CandidateSource romanSource_;
  // Present while the layout is IntelligentRoman.
  std::optional<RomanComposition> roman_;
  // Where the letters being composed start in the box.
  int romanStart_ = 0;
  // The core's own edits of the box, which BoxChanged must not take for the user's.
  bool romanEditing_ = false;
  std::function<void()> composingChanged_;
};

}  // namespace lekhora
