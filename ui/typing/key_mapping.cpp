#include "ui/typing/key_mapping.h"

#include <array>
#include <utility>

#include "engine/key_replay.h"

namespace lekhora {
namespace {

struct KeyPair {
  int qt;
  std::int16_t vk;
};

// Keys outside ASCII whose Qt code differs from their virtual key code. The
// printable ASCII keys are Qt codes equal to their character, which the
// engine's US keyboard maps (a shifted symbol is the same physical key).
constexpr std::array kKeys{
    KeyPair{Qt::Key_Backspace, 8},    KeyPair{Qt::Key_Tab, 9},      KeyPair{Qt::Key_Backtab, 9},
    KeyPair{Qt::Key_Clear, 12},       KeyPair{Qt::Key_Return, 13},  KeyPair{Qt::Key_Enter, 13},
    KeyPair{Qt::Key_Shift, 16},       KeyPair{Qt::Key_Control, 17}, KeyPair{Qt::Key_Alt, 18},
    KeyPair{Qt::Key_AltGr, 18},       KeyPair{Qt::Key_Pause, 19},   KeyPair{Qt::Key_CapsLock, 20},
    KeyPair{Qt::Key_Escape, 27},      KeyPair{Qt::Key_PageUp, 33},  KeyPair{Qt::Key_PageDown, 34},
    KeyPair{Qt::Key_End, 35},         KeyPair{Qt::Key_Home, 36},    KeyPair{Qt::Key_Left, 37},
    KeyPair{Qt::Key_Up, 38},          KeyPair{Qt::Key_Right, 39},   KeyPair{Qt::Key_Down, 40},
    KeyPair{Qt::Key_Print, 44},       KeyPair{Qt::Key_Insert, 45},  KeyPair{Qt::Key_Delete, 46},
    KeyPair{Qt::Key_Help, 47},        KeyPair{Qt::Key_Meta, 91},    KeyPair{Qt::Key_Super_L, 91},
    KeyPair{Qt::Key_Super_R, 92},     KeyPair{Qt::Key_Menu, 93},    KeyPair{Qt::Key_NumLock, 144},
    KeyPair{Qt::Key_ScrollLock, 145},
};

// The number pad has keys of its own, told apart by the keypad modifier.
std::int16_t KeypadCode(int qtKey) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
    return static_cast<std::int16_t>(96 + qtKey - Qt::Key_0);
  switch (qtKey) {
    case Qt::Key_Asterisk:
      return 106;
    case Qt::Key_Plus:
      return 107;
    case Qt::Key_Minus:
      return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma:
      return 110;
    case Qt::Key_Slash:
      return 111;
    case Qt::Key_Enter:
    case Qt::Key_Return:
      return 13;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return 46;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Clear:
      return 12;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_PageUp:
      return 33;
    default:
      return 0;
  }
}

}  // namespace

std::int16_t VirtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
  if (modifiers & Qt::KeypadModifier) {
    if (const std::int16_t code = KeypadCode(qtKey); code != 0) return code;
  }
  if (qtKey >= Qt::Key_Space && qtKey <= Qt::Key_AsciiTilde)
    return UsKeyStroke(static_cast<char16_t>(qtKey)).keyCode;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
    return static_cast<std::int16_t>(112 + qtKey - Qt::Key_F1);
  for (const KeyPair& pair : kKeys) {
    if (pair.qt == qtKey) return pair.vk;
  }
  return 0;
}

std::int16_t ShiftMask(Qt::KeyboardModifiers modifiers) {
  std::int16_t mask = 0;
  if (modifiers & Qt::ShiftModifier) mask |= 1;
  if (modifiers & Qt::ControlModifier) mask |= 2;
  if (modifiers & Qt::AltModifier) mask |= 4;
  return mask;
}

std::int16_t KeyAsciiCode(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) {
  // Delete types no character in the pad, though X11 reports U+007F for it;
  // Alt alone makes a menu key, not a character.
  if (qtKey == Qt::Key_Delete) return 0;
  const bool ctrl = modifiers & Qt::ControlModifier;
  if ((modifiers & Qt::AltModifier) && !ctrl) return 0;
  if (text.size() == 1) {
    const char16_t unit = text.at(0).unicode();
    // Character codes are 16-bit signed; a unit beyond that range has no layout
    // entry anyway, so the text box types it itself.
    if (unit > 0x7FFF) return 0;
    return static_cast<std::int16_t>(unit);
  }
  // Some platforms give Ctrl+letter no text; it is the control character 1..26.
  if (ctrl && text.isEmpty() && qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
    return static_cast<std::int16_t>(qtKey - Qt::Key_A + 1);
  if (text.isEmpty()) {
    switch (qtKey) {
      case Qt::Key_Backspace:
        return 8;
      case Qt::Key_Tab:
        return 9;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        return 13;
      case Qt::Key_Escape:
        return 27;
      default:
        break;
    }
  }
  return 0;
}

}  // namespace lekhora
