#include "ibus/key_event.h"

namespace lekhora {

namespace {

ImeKey Named(guint keyval) {
  switch (keyval) {
    case IBUS_KEY_Shift_L:
    case IBUS_KEY_Shift_R:
    case IBUS_KEY_Control_L:
    case IBUS_KEY_Control_R:
    case IBUS_KEY_Alt_L:
    case IBUS_KEY_Alt_R:
    case IBUS_KEY_Meta_L:
    case IBUS_KEY_Meta_R:
    case IBUS_KEY_Super_L:
    case IBUS_KEY_Super_R:
    case IBUS_KEY_Hyper_L:
    case IBUS_KEY_Hyper_R:
    case IBUS_KEY_Caps_Lock:
    case IBUS_KEY_Num_Lock:
    case IBUS_KEY_Shift_Lock:
    case IBUS_KEY_ISO_Level3_Shift:
    case IBUS_KEY_ISO_Level5_Shift:
    case IBUS_KEY_Mode_switch:
      return ImeKey::Modifier;
    case IBUS_KEY_BackSpace:
      return ImeKey::BackSpace;
    case IBUS_KEY_Return:
    case IBUS_KEY_KP_Enter:
    case IBUS_KEY_ISO_Enter:
      return ImeKey::Return;
    case IBUS_KEY_Tab:
    case IBUS_KEY_ISO_Left_Tab:
    case IBUS_KEY_KP_Tab:
      return ImeKey::Tab;
    case IBUS_KEY_Escape:
      return ImeKey::Escape;
    case IBUS_KEY_Left:
    case IBUS_KEY_KP_Left:
      return ImeKey::Left;
    case IBUS_KEY_Right:
    case IBUS_KEY_KP_Right:
      return ImeKey::Right;
    case IBUS_KEY_Up:
    case IBUS_KEY_KP_Up:
      return ImeKey::Up;
    case IBUS_KEY_Down:
    case IBUS_KEY_KP_Down:
      return ImeKey::Down;
    case IBUS_KEY_Home:
    case IBUS_KEY_KP_Home:
      return ImeKey::Home;
    case IBUS_KEY_End:
    case IBUS_KEY_KP_End:
      return ImeKey::End;
    case IBUS_KEY_Delete:
    case IBUS_KEY_KP_Delete:
      return ImeKey::Delete;
    case IBUS_KEY_Page_Up:
    case IBUS_KEY_KP_Page_Up:
      return ImeKey::PageUp;
    case IBUS_KEY_Page_Down:
    case IBUS_KEY_KP_Page_Down:
      return ImeKey::PageDown;
    default:
      return ImeKey::Character;
  }
}

}  // namespace

ImeKeyEvent ToImeKey(guint keyval, guint state) {
  ImeKeyEvent event;
  event.key = Named(keyval);
  event.shift = (state & IBUS_SHIFT_MASK) != 0;
  event.ctrl = (state & IBUS_CONTROL_MASK) != 0;
  event.alt = (state & (IBUS_MOD1_MASK | IBUS_SUPER_MASK | IBUS_META_MASK | IBUS_HYPER_MASK |
                        IBUS_MOD4_MASK)) != 0;
  event.release = (state & IBUS_RELEASE_MASK) != 0;
  if (event.key == ImeKey::Character) {
    const gunichar unit = ibus_keyval_to_unicode(keyval);
    // Keys that type nothing (function keys, page keys) are commands.
    if (unit < 0x20 || unit == 0x7F)
      event.key = ImeKey::Other;
    else
      event.unit = unit;
  }
  return event;
}

}  // namespace lekhora
