#include "ibus/key_event.h"

#include "ime/keysym_key.h"

namespace lekhora {

// IBus's keyvals are X keysyms.
ImeKeyEvent ToImeKey(guint keyval, guint state) {
  KeysymModifiers modifiers;
  modifiers.shift = (state & IBUS_SHIFT_MASK) != 0;
  modifiers.ctrl = (state & IBUS_CONTROL_MASK) != 0;
  modifiers.alt = (state & (IBUS_MOD1_MASK | IBUS_SUPER_MASK | IBUS_META_MASK | IBUS_HYPER_MASK |
                            IBUS_MOD4_MASK)) != 0;
  modifiers.release = (state & IBUS_RELEASE_MASK) != 0;
  return KeysymToImeKey(keyval, ibus_keyval_to_unicode(keyval), modifiers);
}

}  // namespace lekhora
