#pragma once
// What the typing box reports of its keys and clicks.

#include "engine/key_codes.h"

namespace lekhora {

class KeySink {
 public:
  virtual ~KeySink() = default;

  /// True: the key was consumed, the text box does nothing of its own with it.
  virtual bool Key(const KeyEvent& event) = 0;
  virtual void MouseUp() = 0;
};

}  // namespace lekhora
