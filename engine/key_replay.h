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
/// types has key code 0. The one table of the US punctuation keys: the pad's
/// key mapping asks it too.
KeyStroke UsKeyStroke(char16_t unit);

/// One key press and release, with the box's own handling of a key the
/// engine leaves to it.
inline void TypeKey(TypingEngine& engine, MemoryTextBox& box, char16_t unit, KeyStroke stroke) {
  if (!engine.Key(KeyPressed(stroke.keyCode, unit, stroke.shift)).consumed) box.DefaultKey(unit);
  engine.Key(KeyReleased(stroke.keyCode, stroke.shift));
}
inline void TypeKey(TypingEngine& engine, MemoryTextBox& box, char16_t unit) {
  TypeKey(engine, box, unit, UsKeyStroke(unit));
}

}  // namespace lekhora
