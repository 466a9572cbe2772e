#pragma once
// Key events and the codes the engine tests: character codes as a typed key
// gives them, virtual key codes as a key going down or up gives them, and the
// modifier mask.

#include <cstdint>

namespace lekhora {

/// Character codes of the control keys.
inline constexpr std::int16_t kCharBackspace = 8;
inline constexpr std::int16_t kCharTab = 9;
inline constexpr std::int16_t kCharEnter = 13;
inline constexpr std::int16_t kCharEscape = 27;
inline constexpr std::int16_t kCharSpace = 32;

/// Virtual key codes.
inline constexpr std::int16_t kVkBack = 8;
inline constexpr std::int16_t kVkShift = 16;
inline constexpr std::int16_t kVkControl = 17;
inline constexpr std::int16_t kVkCapital = 20;
inline constexpr std::int16_t kVkSpace = 32;
inline constexpr std::int16_t kVkUp = 38;
inline constexpr std::int16_t kVkRight = 39;
inline constexpr std::int16_t kVkDown = 40;

/// Modifier bits.
inline constexpr std::int16_t kShiftBit = 1;
inline constexpr std::int16_t kCtrlBit = 2;
inline constexpr std::int16_t kAltBit = 4;

/// A key going down or coming up, as any front end sees it.
struct KeyEvent {
  /// Virtual key code; 0 for a key that has none.
  std::int16_t key = 0;
  /// What the key types with its modifiers (control codes too: Backspace 8,
  /// Enter 13, Ctrl+D 4); 0 when it types nothing, and on the release.
  char16_t character = 0;
  /// kShiftBit, kCtrlBit and kAltBit of the modifiers held.
  std::int16_t modifiers = 0;
  bool release = false;
};

inline KeyEvent KeyPressed(std::int16_t key, char16_t character, std::int16_t modifiers) {
  return {key, character, modifiers, false};
}
inline KeyEvent KeyReleased(std::int16_t key, std::int16_t modifiers) {
  return {key, 0, modifiers, true};
}

}  // namespace lekhora
