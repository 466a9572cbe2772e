#pragma once
// A key event as an input method front-end delivers it, in terms of its own:
// no toolkit or input framework type appears here.

#include <cstdint>

namespace lekhora {

enum class ImeKey : std::uint8_t {
  Character,  // a key that types unit
  Modifier,   // Shift, Ctrl, Alt, Caps Lock, ... pressed alone
  BackSpace,
  Return,
  Tab,
  Escape,
  Left,
  Right,
  Up,
  Down,
  Home,
  End,
  Delete,
  PageUp,
  PageDown,
  Other,  // any other key that types nothing (page keys, function keys, ...)
};

struct ImeKeyEvent {
  ImeKey key = ImeKey::Character;
  /// What the key types with its modifiers (a Latin letter, a digit, a
  /// punctuation mark, the space); only for Character.
  char32_t unit = 0;
  bool shift = false;
  bool ctrl = false;
  bool alt = false;  // also the Super and Meta modifiers: any that makes a command
  bool release = false;
};

inline ImeKeyEvent CharacterKey(char32_t unit, bool shift = false) {
  return {ImeKey::Character, unit, shift, false, false, false};
}
inline ImeKeyEvent NamedKey(ImeKey key, bool shift = false) {
  return {key, 0, shift, false, false, false};
}

}  // namespace lekhora
