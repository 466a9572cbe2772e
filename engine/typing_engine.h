#pragma once
// The typing box's key handlers: turn Latin keys into the current layout's
// text and keep the word being typed in step for the suggestions.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/key_codes.h"
#include "engine/layout_context.h"
#include "engine/suggestion_hooks.h"
#include "engine/text_box.h"
#include "engine/typing_state.h"

namespace lekhora {

class TypingEngine {
 public:
  TypingEngine(TextBox& box, SuggestionHooks& hooks);

  TypingState& State() { return state_; }
  const TypingState& State() const { return state_; }

  /// The "Enable Unicode Typing" switch; starts on. Switched on again, it ends
  /// the word and the composition: what happened to the box meanwhile is not
  /// known (Latin typed meanwhile, say).
  void SetConversion(bool on);
  /// Types with layout rather than the process-wide CurrentLayout and tables;
  /// null goes back to those. The context must outlive its use here.
  void SetLayoutContext(const LayoutContext* layout) { layout_ = layout; }
  bool Conversion() const { return conversion_; }

  /// One typed character. KeyAscii is 0 afterwards when the key was swallowed;
  /// otherwise the text box handles it itself.
  void KeyPress(std::int16_t& KeyAscii);
  /// KeyCode is a virtual key code, Shift the modifier mask; 0 swallows the key.
  /// A key that went down with Shift alone is a Shift command when it comes
  /// up, also when Shift came up first.
  void KeyDown(std::int16_t& KeyCode, std::int16_t Shift);
  void KeyUp(std::int16_t& KeyCode, std::int16_t Shift);
  void MouseUp();
  /// The box's text, caret or selection may have changed by other means than
  /// the engine's own edits (the mouse, the toolbar, the on-screen keyboard,
  /// undo). A box that reports every change here has each one checked as it
  /// happens; without reports the next key checks the box all the same.
  void BoxChanged() {
    if (conversion_ && !editing_) Sync();
  }

 private:
  struct Composed {
    std::u16string_view output;  // a table entry, or vowel
    char16_t vowel = 0;
    bool replacePrevious = false;
  };

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

  void ComposeVimra(std::int16_t& KeyAscii, Composed& c, const LayoutTable& vimra);
  /// Selects the character before the caret, for a composed key to replace.
  void SelectPrevious();
  void ShiftCommand(std::int16_t& KeyCode);
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
  const LayoutContext* layout_ = nullptr;
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

/// The independent vowel that a vowel key (or a doubled one) gives after "A";
/// empty for anything else.
std::u16string addMatraToA(std::u16string_view keys);

}  // namespace lekhora
