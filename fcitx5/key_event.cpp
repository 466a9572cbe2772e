#include "fcitx5/key_event.h"

#include "ime/keysym_key.h"

namespace lekhora {

// fcitx5's key symbols are X keysyms.
ImeKeyEvent ToImeKey(const fcitx::Key& key, bool release) {
  const fcitx::KeyStates states = key.states();
  KeysymModifiers modifiers;
  modifiers.shift = states.test(fcitx::KeyState::Shift);
  modifiers.ctrl = states.test(fcitx::KeyState::Ctrl);
  modifiers.alt = states.testAny(fcitx::KeyStates{fcitx::KeyState::Alt, fcitx::KeyState::Super,
                                                  fcitx::KeyState::Super2, fcitx::KeyState::Hyper,
                                                  fcitx::KeyState::Meta});
  modifiers.release = release;
  return KeysymToImeKey(static_cast<std::uint32_t>(key.sym()),
                        static_cast<char32_t>(fcitx::Key::keySymToUnicode(key.sym())), modifiers);
}

}  // namespace lekhora
