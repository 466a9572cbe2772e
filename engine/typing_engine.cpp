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

// "!" types the nukta in the Phonetic layouts: it is part of the letter before
// it, so it continues the word rather than ending it, or the word could never
// be found by the letter it spells (ja + nukta).
bool IsNuktaSign(std::u16string_view output) {
  return output.size() == 1 && output[0] >= 0x0900 && output[0] <= 0x0D7F &&
         (output[0] & 0x7F) == 0x3C;
}

}  // namespace

TypingEngine::TypingEngine(TextBox& box, SuggestionHooks& hooks) : box_(box), hooks_(hooks) {}

// A failing suggestion step must not cost the key its remaining steps.
void TypingEngine::SearchAndShow() {
  SkipOnError([this] { hooks_.SearchList(); });
  SkipOnError([this] { hooks_.ShowSuggestions(); });
}

void TypingEngine::SetConversion(bool on) {
  // While off the engine follows nothing: a box whose caret, length and
  // last unit happen to look as they did could hold other text entirely, so
  // switching on starts afresh rather than trusting the mark.
  if (on && !conversion_) Forget();
  conversion_ = on;
}

// A key composes with the one before only where that key's output still
// stands before the caret: every other edit (Backspace, a click, an arrow,
// a paste, undo, Latin typed with conversion off) shows as a box that no
// longer matches the mark, and the next key starts afresh. Each check costs
// a few unit reads, whatever the length of the text.
void TypingEngine::Sync() {
  const BoxMark& mark = state_.Mark;
  const CaretPlace now = box_.Place();
  if (mark.Caret < 0 || now.SelLength != 0) {
    Forget();
    return;
  }
  if (now.SelStart == mark.Caret && now.Length == mark.Length && now.Before == mark.Before) return;

  // Backspace deletes before the mark, several units when held down before
  // its one release: they came off the end of the word, which keeps the rest.
  // Composing with what is left would replace a character typed keys ago.
  std::u16string& prefix = state_.WordPrefix;
  const int deleted = mark.Caret - now.SelStart;
  if (deleted > 0 && deleted <= static_cast<int>(prefix.size()) && !state_.SpaceAfterPrefix &&
      now.Length == mark.Length - deleted) {
    const std::size_t rest = prefix.size() - static_cast<std::size_t>(deleted);
    if (rest == 0 || now.Before == prefix[rest - 1]) {
      prefix.resize(rest);
      state_.LastKey = 0;
      state_.VowelOnA = false;
      state_.Mark = {now.SelStart, now.Length, now.Before};
      SearchAndShow();
      return;
    }
  }
  Forget();
}

void TypingEngine::SetMark() {
  const CaretPlace now = box_.Place();
  state_.Mark = {now.SelStart, now.Length, now.Before};
}

void TypingEngine::Forget() {
  state_.LastKey = 0;
  state_.VowelOnA = false;
  state_.SearchStart = 0;
  EndWord();
  state_.Mark = {};
}

void TypingEngine::EndWord() {
  state_.WordPrefix.clear();
  state_.SpaceAfterPrefix = false;
}

void TypingEngine::ExpectSpace() {
  BoxMark& mark = state_.Mark;
  if (mark.Caret < 0) return;
  state_.SpaceAfterPrefix = !state_.WordPrefix.empty();
  ++mark.Caret;
  ++mark.Length;
  mark.Before = u' ';
}

void TypingEngine::KeyDown(std::int16_t& KeyCode, std::int16_t Shift) {
  state_.CtrlDown = (Shift & kCtrlBit) != 0;
  // Whether a key is Shift+Space (or another Shift command) is settled when
  // it goes down: fingers often let go of Shift a moment before the key.
  if (KeyCode != kVkShift) shiftedKey_ = Shift == kShiftBit ? KeyCode : 0;
  if (!conversion_ || Shift != kShiftBit) return;
  if (KeyCode == kVkUp || KeyCode == kVkDown) {
    // Shift+Up/Down pick a suggestion; they must not also move or extend the selection.
    KeyCode = 0;
  } else if (KeyCode == kVkRight) {
    // Shift+Right replaces the word typed up to the caret: the box must not
    // first select the character after it. With no word it selects as usual.
    Sync();
    if (!state_.WordPrefix.empty() && !state_.SpaceAfterPrefix) KeyCode = 0;
  }
}

void TypingEngine::KeyPress(std::int16_t& KeyAscii) {
  if (!conversion_) return;
  Sync();
  // A key pressed before the space typed after the word comes up (a second
  // space too): the word ended at that space, and Shift+Space takes along
  // only the one space its own press typed.
  if (state_.SpaceAfterPrefix) EndWord();

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
  const std::u16string& layout = layout_ != nullptr ? layout_->name : CurrentLayout;
  if (Is(layout, kPhoneticVimraLayout)) {
    ComposeVimra(KeyAscii, composed, layout_ != nullptr ? layout_->table : PhoneticVimraTable);
  } else if (layout_ != nullptr) {
    state_.VowelOnA = false;
    composed.output = layout_->table[KeyAscii];
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
  if (IsWordBreak(code) && !IsNuktaSign(composed.output)) {
    state_.LastKey = 0;
    state_.SearchStart = 0;
    if (code == kVkSpace) {
      ExpectSpace();
    } else if (code > 32) {
      // "!" and the double quote type an entry of their own after the word,
      // which no longer ends the text before the caret.
      EndWord();
    }
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

  {
    OwnEdit edit(editing_);
    if (composed.replacePrevious) SelectPrevious();
    box_.SetSelText(composed.output);
  }
  SetMark();
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

  // Whatever the box did with the key (Backspace, Delete, an arrow, select
  // all, paste, undo) is in the box by now.
  Sync();

  const bool shiftedAtPress = KeyCode != 0 && KeyCode == shiftedKey_ && Shift == 0;
  if (KeyCode == shiftedKey_) shiftedKey_ = 0;
  if (Shift == kShiftBit || shiftedAtPress) ShiftCommand(KeyCode);

  // A command has set KeyCode to 0 by now, so it keeps the prefix.
  if (IsWordBreak(KeyCode)) EndWord();
}

// Apart from the key release, so that the release of an ordinary key, on
// every key typed, stays short.
void TypingEngine::ShiftCommand(std::int16_t& KeyCode) {
  if (KeyCode == kVkRight || KeyCode == kVkSpace) {
    AcceptSuggestion(KeyCode == kVkSpace);
    KeyCode = 0;
  } else if (KeyCode == kVkDown) {
    SkipOnError([this] { hooks_.ScrollDown(); });
    KeyCode = 0;
  } else if (KeyCode == kVkUp) {
    SkipOnError([this] { hooks_.ScrollUp(); });
    KeyCode = 0;
  }
}

void TypingEngine::AcceptSuggestion(bool separator) {
  // Only a word typed up to the caret, or up to the one space this very key
  // typed after it, is replaced; without one the key only typed its space.
  if (state_.WordPrefix.empty() || state_.SpaceAfterPrefix != separator) {
    if (separator) EndWord();
    return;
  }
  std::u16string word;
  {
    OwnEdit edit(editing_);
    SkipOnError([&] { word = hooks_.Accept(box_, box_.SelStart(), separator); });
  }
  if (!word.empty() && box_.SelLength() == 0) {
    // The accepted word is the word being typed now, so a second accept
    // replaces it whole. It was not typed key by key: nothing composes with it.
    state_.WordPrefix = std::move(word);
    state_.SpaceAfterPrefix = false;
    state_.LastKey = 0;
    state_.VowelOnA = false;
    SetMark();
    return;
  }
  Sync();
  // The space stays typed; the word before it has ended.
  if (separator) EndWord();
}

void TypingEngine::MouseUp() {
  EndWord();
  if (conversion_) Sync();
}

}  // namespace lekhora
