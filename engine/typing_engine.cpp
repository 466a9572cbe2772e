#include "engine/typing_engine.h"

#include "base/error.h"
#include "base/utf16.h"

namespace lekhora {

namespace {

// Every engine without a layout of its own types with this one; a layout is
// never changed once built, so they share it.
const std::shared_ptr<const Layout>& DefaultLayout() {
  static const std::shared_ptr<const Layout> layout = MakeLayout(kPhoneticVimraLayout);
  return layout;
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

TypingEngine::TypingEngine(TextBox& box, SuggestionHooks& hooks,
                           std::shared_ptr<const Layout> layout)
    : box_(box), hooks_(hooks), layout_(layout ? std::move(layout) : DefaultLayout()) {}

void TypingEngine::SetLayout(std::shared_ptr<const Layout> layout) {
  if (layout) layout_ = std::move(layout);
}

KeyResult TypingEngine::Key(const KeyEvent& event) {
  if (event.release) return {KeyUp(event.key, event.modifiers)};
  if (KeyDown(event.key, event.modifiers)) return {true};
  if (event.character == 0) return {};
  return {KeyPress(event.character)};
}

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
      prefix.erase(rest);
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

bool TypingEngine::KeyDown(std::int16_t KeyCode, std::int16_t Shift) {
  state_.CtrlDown = (Shift & kCtrlBit) != 0;
  // Whether a key is Shift+Space (or another Shift command) is settled when
  // it goes down: fingers often let go of Shift a moment before the key.
  if (KeyCode != kVkShift) shiftedKey_ = Shift == kShiftBit ? KeyCode : 0;
  if (!conversion_ || Shift != kShiftBit) return false;
  // Shift+Up/Down pick a suggestion; they must not also move or extend the selection.
  if (KeyCode == kVkUp || KeyCode == kVkDown) return true;
  if (KeyCode == kVkRight) {
    // Shift+Right replaces the word typed up to the caret: the box must not
    // first select the character after it. With no word it selects as usual.
    Sync();
    return !state_.WordPrefix.empty() && !state_.SpaceAfterPrefix;
  }
  return false;
}

bool TypingEngine::KeyPress(char16_t KeyAscii) {
  if (!conversion_) return false;
  Sync();
  // A key pressed before the space typed after the word comes up (a second
  // space too): the word ended at that space, and Shift+Space takes along
  // only the one space its own press typed.
  if (state_.SpaceAfterPrefix) EndWord();

  if (KeyAscii > Layout::kLastKey) {
    // No layout has an entry: the character (another keyboard's, an input
    // method's, half of a surrogate pair) reaches the text as it is, and the
    // next key must not compose with, or replace, it.
    state_.LastKey = 0;
    state_.VowelOnA = false;
    return false;
  }

  const KeyOutput composed = layout_->Compose(
      KeyAscii, {state_.LastKey, state_.VowelOnA, state_.CtrlDown, state_.Mark.Before});
  state_.VowelOnA = composed.vowelOnA;

  const std::int16_t code = composed.swallowed ? 0 : static_cast<std::int16_t>(KeyAscii);
  if (IsWordBreak(code) && !IsNuktaSign(composed.text)) {
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
      prefix += composed.text;
    } else if (!prefix.empty()) {
      prefix.pop_back();
      prefix += composed.text;
    }
    SearchAndShow();
  }

  // The text box types space, Enter, Backspace and control codes itself.
  if (code <= 32) return composed.swallowed;

  {
    OwnEdit edit(editing_);
    if (composed.replacePrevious) SelectPrevious();
    box_.SetSelText(composed.text);
  }
  SetMark();
  state_.LastKey = code;
  return true;
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

bool TypingEngine::KeyUp(std::int16_t KeyCode, std::int16_t Shift) {
  if (!conversion_) return false;

  // Whatever the box did with the key (Backspace, Delete, an arrow, select
  // all, paste, undo) is in the box by now.
  Sync();

  const bool shiftedAtPress = KeyCode != 0 && KeyCode == shiftedKey_ && Shift == 0;
  if (KeyCode == shiftedKey_) shiftedKey_ = 0;
  // A command keeps the prefix.
  if ((Shift == kShiftBit || shiftedAtPress) && ShiftCommand(KeyCode)) return true;
  if (IsWordBreak(KeyCode)) EndWord();
  return false;
}

// Apart from the key release, so that the release of an ordinary key, on
// every key typed, stays short.
bool TypingEngine::ShiftCommand(std::int16_t KeyCode) {
  if (KeyCode == kVkRight || KeyCode == kVkSpace) {
    AcceptSuggestion(KeyCode == kVkSpace);
  } else if (KeyCode == kVkDown) {
    SkipOnError([this] { hooks_.ScrollDown(); });
  } else if (KeyCode == kVkUp) {
    SkipOnError([this] { hooks_.ScrollUp(); });
  } else {
    return false;
  }
  return true;
}

void TypingEngine::Accept() {
  if (!conversion_) return;
  Sync();
  AcceptSuggestion(false);
}

void TypingEngine::ScrollDown() {
  if (!conversion_) return;
  Sync();
  SkipOnError([this] { hooks_.ScrollDown(); });
}

void TypingEngine::ScrollUp() {
  if (!conversion_) return;
  Sync();
  SkipOnError([this] { hooks_.ScrollUp(); });
}

void TypingEngine::Pick(int index) {
  if (!conversion_) return;
  SkipOnError([this, index] { hooks_.Pick(index); });
  Accept();
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
