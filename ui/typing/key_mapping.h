#pragma once
// Qt's key events in the terms the key handlers expect: Windows virtual key
// codes, the Shift/Ctrl/Alt mask and the character code of a typed key.

#include <QString>
#include <Qt>
#include <cstdint>

namespace lekhora {

/// The Windows virtual key code of a Qt key; 0 for a key that has none.
/// Shifted symbols map to their key ("!" to the key 1, ":" to 186).
std::int16_t VirtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

/// 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t ShiftMask(Qt::KeyboardModifiers modifiers);

/// The character code the key types (KeyAscii), or 0 when it types none.
/// Control characters count (Backspace 8, Enter 13, Ctrl+D 4); text that is
/// not exactly one UTF-16 unit types none.
std::int16_t KeyAsciiCode(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text);

}  // namespace lekhora
