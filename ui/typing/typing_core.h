#pragma once
// The typing window's engine and suggestions over one text box, and the key
// sink that feeds them from the typing box. It learns each word a word break
// ends into the user's history.

#include <functional>
#include <string>

#include "engine/typing_engine.h"
#include "suggest/suggestions.h"
#include "ui/typing/key_sink.h"

namespace lekhora {

class WordRanking;

class TypingCore final : public KeySink {
 public:
  /// box, lists and view must outlive the core.
  TypingCore(TextBox& box, const WordLists& lists, SuggestionView& view)
      : box_(box), engine_(box, suggestions_), suggestions_(engine_.State(), lists, view) {}

  TypingEngine& Engine() { return engine_; }
  Suggestions& Suggest() { return suggestions_; }

  /// What the words are learned into and, when ranked is true, what orders
  /// the suggestions; null learns nothing and keeps the list's order.
  /// ranking must outlive the core or be replaced first.
  void SetRanking(WordRanking* ranking, bool ranked);
  /// Called after each word learned, so that the history is written soon.
  void OnLearned(std::function<void()> learned) { learned_ = std::move(learned); }

  bool Key(const KeyEvent& event) override;
  void MouseUp() override;

 private:
  /// The word before the caret has ended with breakUnit.
  void WordEnded(char16_t breakUnit);

  TextBox& box_;
  // The engine only keeps a reference to the suggestions while both are
  // built; the suggestions read the engine's state from then on.
  TypingEngine engine_;
  Suggestions suggestions_;
  WordRanking* ranking_ = nullptr;
  std::function<void()> learned_;
  // Where the last word learned ended, until another key is typed: a second
  // break there (Escape twice) ends no new word.
  int learnedAt_ = -1;
};

}  // namespace lekhora
