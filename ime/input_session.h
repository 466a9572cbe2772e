#pragma once
// One input context's typing: the word being composed is held in a text box
// of the session's own (the preedit), typed into by the pad's engine, and
// leaves for the application only as committed text.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/key_replay.h"
#include "engine/layout.h"
#include "engine/memory_text_box.h"
#include "engine/roman_composition.h"
#include "engine/suggestion_hooks.h"
#include "engine/typing_engine.h"
#include "ime/ime_key.h"
#include "ime/session_actions.h"
#include "ime/session_suggestions.h"
#include "ime/shared_words.h"
#include "userdata/word_ranking.h"

namespace lekhora {

class InputSession {
 public:
  /// layout must not be null; words may be (no suggestions then).
  InputSession(std::shared_ptr<const Layout> layout, std::shared_ptr<const SharedWords> words);
  InputSession(const InputSession&) = delete;
  InputSession& operator=(const InputSession&) = delete;

  SessionActions Key(const ImeKeyEvent& event);
  /// The input context loses the focus, is reset or changes input method.
  /// The word being composed is the application's by then: the front-end
  /// shows the preedit so that the application (or its framework) commits it
  /// itself at these moments, in the context it was typed in, as a commit
  /// sent from here could reach the context focused next; or the session is
  /// kept for the context's return instead (InputContexts). The session
  /// forgets the word.
  SessionActions FocusOut() { return Forget(); }
  SessionActions Reset() { return Forget(); }
  /// Commits the preedit from here: for changes the user makes while the
  /// context keeps the focus.
  SessionActions CommitNow() { return CommitAll(); }
  /// Commits the candidate at index of the list last shown in place of the preedit.
  SessionActions ClickCandidate(int index);
  /// The candidate window's own buttons: the highlight moves by steps (a
  /// page is kCandidatePage), never past the first or the last candidate.
  SessionActions MoveHighlight(int steps);

  /// The preedit is committed first, so no word mixes two layouts.
  /// IntelligentRoman composes Latin letters into the words of the roman
  /// source instead of typing the layout's keys.
  SessionActions SetLayout(std::shared_ptr<const Layout> layout);
  /// The words Latin letters may stand for, best first (the romanization
  /// model, ranked); without one IntelligentRoman offers nothing and a break
  /// commits the letters as typed.
  void SetRomanSource(RomanComposition::CandidateSource source);
  bool Roman() const { return roman_.has_value(); }
  const Layout& TypingLayout() const { return engine_.TypingLayout(); }
  /// Other words from now on (the user's list changed); the preedit is
  /// committed first, as the candidates shown belong to the old words.
  SessionActions SetWords(std::shared_ptr<const SharedWords> words);
  const std::shared_ptr<const SharedWords>& Words() const { return words_; }
  void SetSuggestionsOn(bool on);
  bool SuggestionsOn() const { return suggestionsOn_; }
  /// For password and PIN fields: every key reaches the application as the
  /// keyboard types it, with no preedit and no candidates, and nothing typed
  /// is kept. A word being composed is committed first.
  SessionActions SetPlainTyping(bool on);
  bool PlainTyping() const { return plain_; }

  /// Ranks the candidates and learns the committed words through ranking,
  /// which must outlive the session; null keeps the list order and learns
  /// nothing.
  void SetRanking(WordRanking* ranking);
  /// The word committed last in this context, which the next one follows.
  const std::u16string& PreviousWord() const { return previous_; }

  /// What is shown now.
  const std::u16string& Preedit() const { return box_.View(); }
  /// The preedit and the candidates as they stand, to show them again.
  SessionActions Shown();

 private:
  // Forwards to the suggestions while they are on, else to nothing.
  class Hooks final : public SuggestionHooks {
   public:
    SuggestionHooks* target = nullptr;
    NoSuggestions none;
    std::int16_t SearchList() override { return Target().SearchList(); }
    void ShowSuggestions() override { Target().ShowSuggestions(); }
    std::u16string Accept(TextBox& box, int caret, bool separator) override {
      return Target().Accept(box, caret, separator);
    }
    void ScrollDown() override { Target().ScrollDown(); }
    void ScrollUp() override { Target().ScrollUp(); }
    void Pick(int index) override { Target().Pick(index); }

   private:
    SuggestionHooks& Target() { return target != nullptr ? *target : none; }
  };

  void Type(char16_t unit, KeyStroke stroke);
  void ApplyRanking();
  /// Takes the preedit's text and starts a new word.
  std::u16string EndWord();
  /// The next word follows previous.
  void Follow(std::u16string previous);
  /// Removes the highlighted candidate from the history (Shift+Delete).
  SessionActions ForgetHighlighted();
  /// The keys that work on the words offered before a letter is typed;
  /// false for every other key, which then types as it would.
  bool FollowerKey(const ImeKeyEvent& event, SessionActions& actions);
  /// Commits the offered word at index, as a word typed whole would be.
  void CommitFollower(std::size_t index, SessionActions& actions);
  /// Hands the whole preedit over as the commit and starts a new word.
  void TakePreedit(SessionActions& actions);
  SessionActions CommitAll();
  SessionActions Forget();
  /// Commits the preedit and lets the key through.
  SessionActions CommitAndPass();
  /// Fills the preedit and the candidates from the current state.
  SessionActions& Show(SessionActions& actions);
  bool HasCandidates() const;
  /// IntelligentRoman's keys and what it shows.
  SessionActions RomanKey(const ImeKeyEvent& event);
  SessionActions& ShowRoman(SessionActions& actions);
  SessionActions Apply(RomanStep step);
  void UseLayoutKind();

  std::shared_ptr<const SharedWords> words_;
  MemoryTextBox box_;
  Hooks hooks_;
  TypingEngine engine_;
  std::optional<SessionSuggestions> suggestions_;
  WordRanking* ranking_ = nullptr;
  std::u16string previous_;
  bool suggestionsOn_ = true;
  // What the user chose, kept while the session has no words.
  bool suggestionsWanted_ = true;
  bool plain_ = false;
  // Where the page shown last starts among the candidates.
  int pageStart_ = 0;
  int pageSize_ = 0;
  // Right after a word break, before the next letter, the words that
  // usually follow the previous one are offered; any other key ends that.
  bool offerFollowers_ = false;
  std::vector<std::u16string> followers_;
  int followerHighlight_ = 0;
  RomanComposition::CandidateSource romanSource_;
  // Present while the layout is IntelligentRoman.
  std::optional<RomanComposition> roman_;
};

/// How many candidates a page shows.
inline constexpr int kCandidatePage = 9;

}  // namespace lekhora
