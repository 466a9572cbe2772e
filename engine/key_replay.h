#pragma once
// Replays typed characters through the key handlers the way the typing box
// raises them, for tools and tests that have no keyboard.

#include <cstdint>

#include "engine/memory_text_box.h"
#include "engine/typing_engine.h"

namespace lekhora {

struct KeyStroke {
  std::int16_t keyCode;  // virtual key code
  std::int16_t shift;    // modifier mask
};

/// The key and modifiers that type unit on a US keyboard. Control codes
/// 1..26 other than Backspace, Tab and Enter are Ctrl+letter; a unit no key
/// types has key code 0.
KeyStroke UsKeyStroke(char16_t unit);

/// KeyDown, KeyPress, the box's own handling when the key is let through,
/// KeyUp: one key press and release.
inline void TypeKey(TypingEngine& engine, MemoryTextBox& box, char16_t unit, KeyStroke stroke) {
  std::int16_t keyCode = stroke.keyCode;
  engine.KeyDown(keyCode, stroke.shift);
  // Wider code units arrive as negative 16-bit codes, as on the platform.
  auto keyAscii = static_cast<std::int16_t>(unit);
  engine.KeyPress(keyAscii);
  if (keyAscii != 0) box.DefaultKey(static_cast<char16_t>(keyAscii));
  keyCode = stroke.keyCode;
  engine.KeyUp(keyCode, stroke.shift);
}
inline void TypeKey(TypingEngine& engine, MemoryTextBox& box, char16_t unit) {
  TypeKey(engine, box, unit, UsKeyStroke(unit));
}

}  // namespace lekhora
