#include "engine/typing_engine.h"

#include <cstring>

#include "base/error.h"
#include "base/utf16.h"
#include "engine/layout_choice.h"
#include "engine/layout_tables.h"

namespace lekhora {

namespace {

// Highest key code the layout tables have an entry for.
constexpr std::int16_t kLastTableKey = 128;

// char16_t comparisons go unit by unit; the layout name is compared on every
// key, so compare it as bytes.
bool Is(const std::u16string& current, std::u16string_view name) {
  return current.size() == name.size() &&
         std::memcmp(current.data(), name.data(), name.size() * sizeof(char16_t)) == 0;
}

bool IsLowSurrogateAlone(std::u16string_view text) {
  return text.size() == 1 && IsLowSurrogate(text[0]);
}

bool IsWholePair(std::u16string_view text) {
  return text.size() == 2 && IsHighSurrogate(text[0]) && IsLowSurrogate(text[1]);
}

}  // namespace

TypingEngine::TypingEngine(TextBox& box, SuggestionHooks& hooks) : box_(box), hooks_(hooks) {}

// A failing suggestion step must not cost the key its remaining steps.
void TypingEngine::SearchAndShow() {
  SkipOnError([this] { hooks_.SearchList(); });
  SkipOnError([this] { hooks_.ShowSuggestions(); });
}

void TypingEngine::KeyPress(std::int16_t& KeyAscii) {
  if (!conversion_) return;

  if (KeyAscii < 0 || KeyAscii > kLastTableKey) {
    // No layout has an entry: the character (another keyboard's, an input
    // method's, half of a surrogate pair) reaches the text as it is, and the
    // next key must not compose with, or replace, it.
    state_.LastKey = 0;
    state_.VowelOnA = false;
    return;
  }

  // The names are distinct, so testing the composing layout first changes no
  // outcome and spares the other comparisons on nearly every key.
  Composed composed;
  if (Is(CurrentLayout, kPhoneticVimraLayout)) {
    ComposeVimra(KeyAscii, composed);
  } else {
    state_.VowelOnA = false;
    if (Is(CurrentLayout, kRemingtonLayout)) {
      composed.output = RemingtonTable[KeyAscii];
    } else if (Is(CurrentLayout, kPhoneticLayout)) {
      composed.output = PhoneticTable[KeyAscii];
    } else if (Is(CurrentLayout, kInscriptLayout)) {
      composed.output = InscriptTable[KeyAscii];
    }
  }

  const std::int16_t code = KeyAscii;
  if (IsWordBreak(code)) {
    state_.LastKey = 0;
    state_.SearchStart = 0;
  } else {
    std::u16string& prefix = state_.WordPrefix;
    if (!composed.replacePrevious) {
      prefix += composed.output;
    } else if (!prefix.empty()) {
      prefix.pop_back();
      prefix += composed.output;
    }
    SearchAndShow();
  }

  // The text box types space, Enter, Backspace and control codes itself.
  if (code <= 32) return;

  if (composed.replacePrevious) SelectPrevious();
  box_.SetSelText(composed.output);
  state_.LastKey = code;
  KeyAscii = 0;
}

void TypingEngine::SelectPrevious() {
  const int start = box_.SelStart();
  if (start > 0) {
    if (box_.SetSelStart(start - 1)) box_.SetSelLength(1);
    // A character outside the BMP goes whole, or half a pair would be left.
    if (start > 1 && IsLowSurrogateAlone(box_.SelText()) && box_.SetSelStart(start - 2) &&
        box_.SetSelLength(2) && !IsWholePair(box_.SelText())) {
      if (box_.SetSelStart(start - 1)) box_.SetSelLength(1);
    }
  } else {
    // Nothing before the caret to replace: insert, and keep whatever is
    // selected or follows rather than overwrite it.
    box_.SetSelStart(start);
  }
}

void TypingEngine::KeyUp(std::int16_t& KeyCode, std::int16_t Shift) {
  if (!conversion_) return;

  if (KeyCode == kVkBack && !state_.WordPrefix.empty()) {
    state_.WordPrefix.pop_back();
    SearchAndShow();
  }

  if (Shift == kShiftBit) ShiftCommand(KeyCode);

  // A command has set KeyCode to 0 by now, so it keeps the prefix.
  if (IsWordBreak(KeyCode)) state_.WordPrefix.clear();
}

// Apart from the key release, so that the release of an ordinary key, on
// every key typed, stays short.
void TypingEngine::ShiftCommand(std::int16_t& KeyCode) {
  if (KeyCode == kVkRight || KeyCode == kVkSpace) {
    const bool separator = KeyCode == kVkSpace;
    SkipOnError([&] { hooks_.Accept(box_, box_.SelStart(), separator); });
    KeyCode = 0;
  } else if (KeyCode == kVkDown) {
    SkipOnError([this] { hooks_.ScrollDown(); });
    KeyCode = 0;
  } else if (KeyCode == kVkUp) {
    SkipOnError([this] { hooks_.ScrollUp(); });
    KeyCode = 0;
  }
}

void TypingEngine::MouseUp() {
  state_.WordPrefix.clear();
}

}  // namespace lekhora
