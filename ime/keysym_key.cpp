#include "ime/keysym_key.h"

namespace lekhora {

namespace {

// The X keysyms of the keys that are no characters (X11/keysymdef.h).
ImeKey Named(std::uint32_t keysym) {
  switch (keysym) {
    case 0xffe1:  // Shift_L
    case 0xffe2:  // Shift_R
    case 0xffe3:  // Control_L
    case 0xffe4:  // Control_R
    case 0xffe5:  // Caps_Lock
    case 0xffe6:  // Shift_Lock
    case 0xffe7:  // Meta_L
    case 0xffe8:  // Meta_R
    case 0xffe9:  // Alt_L
    case 0xffea:  // Alt_R
    case 0xffeb:  // Super_L
    case 0xffec:  // Super_R
    case 0xffed:  // Hyper_L
    case 0xffee:  // Hyper_R
    case 0xff7f:  // Num_Lock
    case 0xfe03:  // ISO_Level3_Shift
    case 0xfe11:  // ISO_Level5_Shift
    case 0xff7e:  // Mode_switch
      return ImeKey::Modifier;
    case 0xff08:
      return ImeKey::BackSpace;
    case 0xff0d:  // Return
    case 0xff8d:  // KP_Enter
    case 0xfe34:  // ISO_Enter
      return ImeKey::Return;
    case 0xff09:  // Tab
    case 0xfe20:  // ISO_Left_Tab
    case 0xff89:  // KP_Tab
      return ImeKey::Tab;
    case 0xff1b:
      return ImeKey::Escape;
    case 0xff51:
    case 0xff96:
      return ImeKey::Left;
    case 0xff53:
    case 0xff98:
      return ImeKey::Right;
    case 0xff52:
    case 0xff97:
      return ImeKey::Up;
    case 0xff54:
    case 0xff99:
      return ImeKey::Down;
    case 0xff50:
    case 0xff95:
      return ImeKey::Home;
    case 0xff57:
    case 0xff9c:
      return ImeKey::End;
    case 0xffff:
    case 0xff9f:
      return ImeKey::Delete;
    case 0xff55:
    case 0xff9a:
      return ImeKey::PageUp;
    case 0xff56:
    case 0xff9b:
      return ImeKey::PageDown;
    default:
      return ImeKey::Character;
  }
}

}  // namespace

ImeKeyEvent KeysymToImeKey(std::uint32_t keysym, char32_t unit, KeysymModifiers modifiers) {
  ImeKeyEvent event;
  event.key = Named(keysym);
  event.shift = modifiers.shift;
  event.ctrl = modifiers.ctrl;
  event.alt = modifiers.alt;
  event.release = modifiers.release;
  if (event.key == ImeKey::Character) {
    // Keys that type nothing (function keys, media keys) are commands.
    if (unit < 0x20 || unit == 0x7F)
      event.key = ImeKey::Other;
    else
      event.unit = unit;
  }
  return event;
}

}  // namespace lekhora
