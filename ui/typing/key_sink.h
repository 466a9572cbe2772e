#pragma once
// What the typing box reports of its keys and clicks. Setting a code to 0
// swallows the key: the text box then does nothing of its own with it.

#include <cstdint>

namespace lekhora {

class KeySink {
 public:
  virtual ~KeySink() = default;

  virtual void KeyDown(std::int16_t& keyCode, std::int16_t shift) = 0;
  virtual void KeyPress(std::int16_t& keyAscii) = 0;
  virtual void KeyUp(std::int16_t& keyCode, std::int16_t shift) = 0;
  virtual void MouseUp() = 0;
};

}  // namespace lekhora
