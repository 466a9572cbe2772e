#pragma once
// What the typing window remembers between key presses.

#include <cstdint>
#include <string>

namespace lekhora {

struct TypingState {
  /// Code of the previous converted key above 32; 0 after a word break.
  std::int32_t LastKey = 0;
  /// The previous key turned "A" into an independent vowel; valid for one key.
  bool VowelOnA = false;
  /// Ctrl was held when the current key went down.
  bool CtrlDown = false;
  /// The word being typed, as output text: the suggestion search key.
  std::u16string WordPrefix;
  /// Lowest index the suggestion search looks at.
  std::int16_t SearchStart = 0;
};

}  // namespace lekhora
