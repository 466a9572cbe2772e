#pragma once
// The typing engine: key events in, the layout's text written into a text box
// and the word being typed kept in step for the suggestions.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/key_codes.h"
#include "engine/layout.h"
#include "engine/suggestion_hooks.h"
#include "engine/text_box.h"
#include "engine/typing_state.h"

namespace lekhora {

/// What became of a key.
struct KeyResult {
  /// The engine did what the key asks for (typed its text, ran its command,
  /// or took it for nothing): the text box must not act on it.
  bool consumed = false;
};

class TypingEngine {
 public:
  /// Types with layout; without one, with Phonetic(Vimra).
  TypingEngine(TextBox& box, SuggestionHooks& hooks, std::shared_ptr<const Layout> layout = {});

  TypingState& State() { return state_; }
  const TypingState& State() const { return state_; }
  /// The word being typed: empty, or the end of the text before the caret.
  const std::u16string& Word() const { return state_.WordPrefix; }

  /// The "Enable Unicode Typing" switch; starts on. Switched on again, it ends
  /// the word and the composition: what happened to the box meanwhile is not
  /// known (Latin typed meanwhile, say).
  void SetConversion(bool on);
  bool Conversion() const { return conversion_; }
  /// Types with layout from the next key on; null is refused.
  void SetLayout(std::shared_ptr<const Layout> layout);
  const Layout& TypingLayout() const { return *layout_; }

  /// A key going down (with what it types) or coming up. A key that went
  /// down with Shift alone is a Shift command when it comes up, also when
  /// Shift came up first: Shift+Space and Shift+Right accept, Shift+Up and
  /// Shift+Down scroll.
  KeyResult Key(const KeyEvent& event);

  /// Replaces the word typed up to the caret by the current suggestion.
  void Accept();
  void ScrollDown();
  void ScrollUp();
  /// Makes candidate index current and accepts it, as a click on it does.
  void Pick(int index);

  void MouseUp();
  /// The box's text, caret or selection may have changed by other means than
  /// the engine's own edits (the mouse, the toolbar, the on-screen keyboard,
  /// undo). A box that reports every change here has each one checked as it
  /// happens; without reports the next key checks the box all the same.
  void BoxChanged() {
    if (conversion_ && !editing_) Sync();
  }

 private:
  // Marks the engine's own edits, which BoxChanged must not take for the
  // user's.
  class OwnEdit {
   public:
    explicit OwnEdit(bool& editing) : editing_(editing) { editing_ = true; }
    ~OwnEdit() { editing_ = false; }
    OwnEdit(const OwnEdit&) = delete;
    OwnEdit& operator=(const OwnEdit&) = delete;

   private:
    bool& editing_;
  };

  // The three steps of a key: each returns whether it consumed the key.
  bool KeyDown(std::int16_t KeyCode, std::int16_t Shift);
  bool KeyPress(char16_t KeyAscii);
  bool KeyUp(std::int16_t KeyCode, std::int16_t Shift);
  /// Selects the character before the caret, for a composed key to replace.
  void SelectPrevious();
  bool ShiftCommand(std::int16_t KeyCode);
  void AcceptSuggestion(bool separator);
  void SearchAndShow();

  /// Compares the box with the mark of the engine's last edit: a box that
  /// still matches keeps the composition and the word; units deleted from the
  /// end of the word shorten it; any other change forgets both.
  void Sync();
  void SetMark();
  /// As after a word break, and nothing known of the box.
  void Forget();
  void EndWord();
  /// The box is about to type a space at the mark.
  void ExpectSpace();

  TextBox& box_;
  SuggestionHooks& hooks_;
  TypingState state_;
  std::shared_ptr<const Layout> layout_;
  bool conversion_ = true;
  bool editing_ = false;
  // The last key that went down with Shift alone held, until it comes up.
  std::int16_t shiftedKey_ = 0;
};

/// Codes that end a word: 2..34 except Backspace, Shift, Ctrl and Caps Lock.
inline bool IsWordBreak(std::int16_t code) {
  return code >= 2 && code <= 34 && code != kVkBack && code != kVkShift && code != kVkControl &&
         code != kVkCapital;
}

}  // namespace lekhora
