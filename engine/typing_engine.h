#pragma once
// The typing box's key handlers: turn Latin keys into the current layout's
// text and keep the word being typed in step for the suggestions.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/key_codes.h"
#include "engine/suggestion_hooks.h"
#include "engine/text_box.h"
#include "engine/typing_state.h"

namespace lekhora {

class TypingEngine {
 public:
  TypingEngine(TextBox& box, SuggestionHooks& hooks);

  TypingState& State() { return state_; }
  const TypingState& State() const { return state_; }

  /// The "Enable Unicode Typing" switch; starts on.
  void SetConversion(bool on) { conversion_ = on; }
  bool Conversion() const { return conversion_; }

  /// One typed character. KeyAscii is 0 afterwards when the key was swallowed;
  /// otherwise the text box handles it itself.
  void KeyPress(std::int16_t& KeyAscii);
  /// KeyCode is a virtual key code, Shift the modifier mask; 0 swallows the key.
  void KeyDown(std::int16_t& KeyCode, std::int16_t Shift) {
    state_.CtrlDown = (Shift & kCtrlBit) != 0;
    // Shift+Up/Down pick a suggestion; they must not also move or extend the selection.
    if (conversion_ && Shift == kShiftBit && (KeyCode == kVkUp || KeyCode == kVkDown)) KeyCode = 0;
  }
  void KeyUp(std::int16_t& KeyCode, std::int16_t Shift);
  void MouseUp();

 private:
  struct Composed {
    std::u16string_view output;  // a table entry, or vowel
    char16_t vowel = 0;
    bool replacePrevious = false;
  };

  void ComposeVimra(std::int16_t& KeyAscii, Composed& c);
  /// Selects the character before the caret, for a composed key to replace.
  void SelectPrevious();
  void ShiftCommand(std::int16_t& KeyCode);
  void SearchAndShow();

  TextBox& box_;
  SuggestionHooks& hooks_;
  TypingState state_;
  bool conversion_ = true;
};

/// Codes that end a word: 2..34 except Backspace, Shift, Ctrl and Caps Lock.
inline bool IsWordBreak(std::int16_t code) {
  return code >= 2 && code <= 34 && code != kVkBack && code != kVkShift && code != kVkControl &&
         code != kVkCapital;
}

/// The independent vowel that a vowel key (or a doubled one) gives after "A";
/// empty for anything else.
std::u16string addMatraToA(std::u16string_view keys);

}  // namespace lekhora
