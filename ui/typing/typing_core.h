#pragma once
// The typing window's engine and suggestions over one text box, and the key
// sink that feeds them from the typing box.

#include "engine/typing_engine.h"
#include "suggest/suggestions.h"
#include "ui/typing/key_sink.h"

namespace lekhora {

class TypingCore final : public KeySink {
 public:
  /// box, lists and view must outlive the core.
  TypingCore(TextBox& box, const WordLists& lists, SuggestionView& view)
      : engine_(box, suggestions_), suggestions_(engine_.State(), lists, view) {}

  TypingEngine& Engine() { return engine_; }
  Suggestions& Suggest() { return suggestions_; }

  bool Key(const KeyEvent& event) override { return engine_.Key(event).consumed; }
  void MouseUp() override { engine_.MouseUp(); }

 private:
  // The engine only keeps a reference to the suggestions while both are
  // built; the suggestions read the engine's state from then on.
  TypingEngine engine_;
  Suggestions suggestions_;
};

}  // namespace lekhora
