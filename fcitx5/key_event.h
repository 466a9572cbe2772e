#pragma once
// fcitx5 key events in the session's terms.

#include <fcitx-utils/key.h>

#include "ime/ime_key.h"

namespace lekhora {

/// key as the keyboard typed it (the event's raw key), with the modifiers
/// that made it.
ImeKeyEvent ToImeKey(const fcitx::Key& key, bool release);

}  // namespace lekhora
