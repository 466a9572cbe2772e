#pragma once
// IBus key events in the session's terms.

#include <ibus.h>

#include "ime/ime_key.h"

namespace lekhora {

ImeKeyEvent ToImeKey(guint keyval, guint state);

}  // namespace lekhora
