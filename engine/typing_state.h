#pragma once
// What the typing window remembers between key presses.

#include <cstdint>
#include <string>

namespace lekhora {

/// Where the engine's own last edit left the text box: the caret, the length
/// of the text and the unit before the caret. Composition and the word being
/// typed continue only while the box still matches it.
struct BoxMark {
  int Caret = -1;  // -1: matches no box
  int Length = 0;
  char16_t Before = 0;  // 0 at the start of the text
};

struct TypingState {
  /// Code of the previous converted key above 32; 0 after a word break.
  std::int32_t LastKey = 0;
  /// The previous key turned "A" into an independent vowel; valid for one key.
  bool VowelOnA = false;
  /// Ctrl was held when the current key went down.
  bool CtrlDown = false;
  /// The word being typed, as output text: the suggestion search key. It is
  /// empty or the end of the text before the caret (before the space, while
  /// SpaceAfterPrefix holds).
  std::u16string WordPrefix;
  /// Lowest index the suggestion search looks at.
  std::int16_t SearchStart = 0;
  BoxMark Mark;
  /// The key being pressed typed a space right after WordPrefix, which Shift+Space
  /// replaces along with the word when the key comes up.
  bool SpaceAfterPrefix = false;
};

}  // namespace lekhora
