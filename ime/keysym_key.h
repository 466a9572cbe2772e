#pragma once
// Keys as X keysyms, which IBus and fcitx5 both deliver, in the sessions'
// own terms, so the front-ends name the same keys alike.

#include <cstdint>

#include "ime/ime_key.h"

namespace lekhora {

struct KeysymModifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;  // Alt, Super, Meta or Hyper: any that makes a command
  bool release = false;
};

/// unit is what the framework says the keysym types (0 for none).
ImeKeyEvent KeysymToImeKey(std::uint32_t keysym, char32_t unit, KeysymModifiers modifiers);

}  // namespace lekhora
