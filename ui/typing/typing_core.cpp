#include "ui/typing/typing_core.h"

#include <algorithm>

#include "userdata/word_ranking.h"

namespace lekhora {

namespace {

// Keys that only change what the next key types: they leave a word alone.
bool ModifierKey(std::int16_t key) {
  constexpr std::int16_t kVkAlt = 18;
  constexpr std::int16_t kVkWinLeft = 91;
  constexpr std::int16_t kVkWinRight = 92;
  constexpr std::int16_t kVkNumLock = 144;
  constexpr std::int16_t kVkScrollLock = 145;
  return key == kVkShift || key == kVkControl || key == kVkAlt || key == kVkCapital ||
         key == kVkWinLeft || key == kVkWinRight || key == kVkNumLock || key == kVkScrollLock;
}

}  // namespace

void TypingCore::SetRanking(WordRanking* ranking, bool ranked) {
  ranking_ = ranking;
  suggestions_.SetRanking(ranking != nullptr && ranked ? &ranking->Ranks() : nullptr);
}

bool TypingCore::Key(const KeyEvent& event) {
  if (roman_) {
    if (engine_.Conversion()) return RomanKey(event);
    // Latin typed with conversion off is the user's own text.
    if (roman_->Composing()) EndComposition();
  }
  const char16_t unit = event.character;
  const bool ends = ranking_ != nullptr && !event.release && engine_.Conversion() &&
                    IsWordBreak(static_cast<std::int16_t>(unit));
  // Shift+Space accepts the suggestion over the word it ends: the word
  // accepted is learned when the next break ends it.
  const bool accepts = unit == u' ' && (event.modifiers & kShiftBit) != 0;
  // Space, Enter, Tab and Escape leave the caret after the word; "!" and the
  // double quote are typed by the engine, and only end the word when they
  // type themselves (in the Phonetic layouts "!" is the nukta of the letter).
  if (!event.release && !IsWordBreak(static_cast<std::int16_t>(unit))) learnedAt_ = -1;
  if (ends && !accepts && unit <= u' ') WordEnded(unit);
  const bool consumed = engine_.Key(event).consumed;
  if (ends && unit > u' ' && box_.SelLength() == 0 && box_.Place().Before == unit) {
    WordEnded(unit);
  }
  return consumed;
}

void TypingCore::WordEnded(char16_t breakUnit) {
  if (box_.SelLength() != 0) return;
  int caret = box_.SelStart();
  if (breakUnit > u' ') --caret;
  if (caret == learnedAt_) return;
  // A word and the one before it fit well within this many units; the rest
  // of a long text is not copied on the key.
  constexpr int kLookBack = 256;
  std::u16string previous;
  if (caret < 0 || !ranking_->LearnEnded(box_.TextBefore(caret, kLookBack), previous)) return;
  learnedAt_ = caret;
  // The next word follows this one unless something else than a space
  // parts them.
  if (breakUnit != u' ') previous.clear();
  suggestions_.SetPrevious(std::move(previous));
  if (learned_) learned_();
}

void TypingCore::MouseUp() {
  engine_.MouseUp();
  // A click ends the word being composed wherever it puts the caret: the
  // letters stay as typed.
  if (roman_) EndComposition();
  learnedAt_ = -1;
  // A click may put the caret anywhere: the word before it is not known.
  suggestions_.SetPrevious({});
}

void TypingCore::SetLayout(std::shared_ptr<const Layout> layout) {
  if (!layout) return;
  const bool roman = layout->Name() == kIntelligentRomanLayout;
  if (roman_ && roman_->Composing()) {
    if (BoxHoldsLetters() && engine_.Conversion()) {
      const int before = static_cast<int>(roman_->Letters().size());
      ApplyRoman(roman_->CommitNow(), before);
    } else {
      EndComposition();
    }
  }
  engine_.SetLayout(std::move(layout));
  if (roman == roman_.has_value()) return;
  if (!roman) {
    roman_.reset();
    if (composingChanged_) composingChanged_();
    return;
  }
  // The source is asked through the core, so that it can be set or changed later.
  roman_.emplace([this](std::u16string_view letters, std::u16string_view previous,
                        int count) { return RomanWords(letters, previous, count); },
                 [this](std::u16string_view word, std::u16string_view previous) {
                   RomanCommitted(word, previous);
                 });
  // The popup scrolls with the highlight and numbers the rows from it.
  roman_->SetDigitsFromHighlight(true);
}

std::vector<std::u16string> TypingCore::RomanWords(std::u16string_view letters,
                                                   std::u16string_view previous, int count) const {
  if (!romanSource_) return {};
  return romanSource_(letters, previous, count);
}

void TypingCore::RomanCommitted(std::u16string_view word, std::u16string_view previous) {
  if (ranking_ == nullptr) return;
  std::u16string before(previous);
  ranking_->Learn(word, before);
  if (learned_) learned_();
}

void TypingCore::SetConversion(bool on) {
  if (!on && roman_ && roman_->Composing()) EndComposition();
  engine_.SetConversion(on);
}

void TypingCore::SetRomanSource(RomanComposition::CandidateSource source) {
  romanSource_ = std::move(source);
  RomanAgain();
}

void TypingCore::RomanAgain() {
  if (!roman_ || !roman_->Composing()) return;
  roman_->Refresh();
  ShowRoman();
  if (composingChanged_) composingChanged_();
}

TypingCore::Range TypingCore::Composing() const {
  if (!roman_ || !roman_->Composing()) return {};
  return {romanStart_, static_cast<int>(roman_->Letters().size())};
}

void TypingCore::TypeText(std::u16string_view text) {
  if (!roman_ || !engine_.Conversion()) {
    box_.SetSelText(text);
    return;
  }
  for (const char16_t unit : text) {
    if (roman_->Composing() && !BoxHoldsLetters()) EndComposition();
    if (!RomanType(unit)) box_.SetSelText(std::u16string_view(&unit, 1));
  }
}

bool TypingCore::PickWord(std::u16string_view word) {
  if (!roman_ || !engine_.Conversion() || !roman_->Composing()) return false;
  if (!BoxHoldsLetters()) {
    EndComposition();
    return false;
  }
  const std::vector<std::u16string>& words = roman_->Candidates();
  const auto found = std::find(words.begin(), words.end(), word);
  if (found == words.end()) return false;
  const int before = static_cast<int>(roman_->Letters().size());
  ApplyRoman(roman_->Pick(static_cast<std::size_t>(found - words.begin())), before);
  return true;
}

void TypingCore::BoxChanged() {
  engine_.BoxChanged();
  if (roman_ && !romanEditing_ && roman_->Composing() && !BoxHoldsLetters()) EndComposition();
}

bool TypingCore::BoxHoldsLetters() const {
  const std::u16string& letters = roman_->Letters();
  const int count = static_cast<int>(letters.size());
  const CaretPlace place = box_.Place();
  if (place.SelLength != 0 || place.SelStart != romanStart_ + count) return false;
  return box_.TextBefore(place.SelStart, count) == letters;
}

void TypingCore::EndComposition() {
  // Forgetting also forgets the word before: the caret may be anywhere now.
  const bool composing = roman_->Composing();
  roman_->Forget();
  if (composing && composingChanged_) composingChanged_();
}

bool TypingCore::RomanKey(const KeyEvent& event) {
  if (event.release || (event.character == 0 && ModifierKey(event.key))) return false;
  // An edit the box did not report (or a box that reports none) ends the
  // word before this key acts on it.
  if (roman_->Composing() && !BoxHoldsLetters()) EndComposition();
  const int before = static_cast<int>(roman_->Letters().size());
  if ((event.modifiers & (kCtrlBit | kAltBit)) != 0) return ApplyRoman(roman_->Leave(), before);
  if (event.modifiers == kShiftBit && (event.key == kVkDown || event.key == kVkUp) &&
      roman_->Composing()) {
    roman_->MoveHighlight(event.key == kVkDown ? 1 : -1);
    ShowRoman();
    if (composingChanged_) composingChanged_();
    return true;
  }
  switch (event.character) {
    case kCharBackspace:
      // The box deletes the letter itself, as it deletes any other unit.
      if (roman_->Composing()) {
        roman_->Backspace();
        ShowRoman();
        if (composingChanged_) composingChanged_();
      } else {
        roman_->Backspace();
      }
      return false;
    case kCharEscape:
      return ApplyRoman(roman_->Escape(), before);
    default:
      break;
  }
  // Enter, Tab, the arrows and the other keys that type nothing of their
  // own leave the word with the word chosen, and then act.
  if (event.character < kCharSpace || event.character == 127)
    return ApplyRoman(roman_->Leave(), before);
  return RomanType(event.character);
}

bool TypingCore::RomanType(char16_t unit) {
  const bool composing = roman_->Composing();
  const int before = static_cast<int>(roman_->Letters().size());
  const RomanStep step = roman_->Type(unit);
  // Typed outside a word: the box types it as it stands.
  if (!step.consumed) return false;
  if (!step.commit.empty()) ApplyRoman(step, before);
  if (roman_->Composing()) {
    romanEditing_ = true;
    // The word starts here, over the selection the letter replaces.
    if (!composing || !step.commit.empty()) romanStart_ = box_.SelStart();
    box_.SetSelText(std::u16string_view(&unit, 1));
    romanEditing_ = false;
    ShowRoman();
    if (composingChanged_) composingChanged_();
  }
  return true;
}

bool TypingCore::ApplyRoman(const RomanStep& step, int lettersBefore) {
  if (!step.commit.empty() && lettersBefore > 0) {
    romanEditing_ = true;
    const std::u16string_view commit = step.commit;
    const std::u16string typed = box_.TextBefore(romanStart_ + lettersBefore, lettersBefore);
    if (commit.substr(0, typed.size()) == typed) {
      // The letters stay (Escape, a word nothing stands for): only what
      // follows them is written, so Undo takes back no more than that.
      box_.SetSelText(commit.substr(typed.size()));
    } else {
      box_.SetSelStart(romanStart_);
      box_.SetSelLength(lettersBefore);
      box_.SetSelText(commit);
    }
    romanEditing_ = false;
  } else if (!step.commit.empty()) {
    box_.SetSelText(step.commit);
  }
  if (lettersBefore > 0 && composingChanged_) composingChanged_();
  return step.consumed;
}

void TypingCore::ShowRoman() {
  CandidatePage page;
  const std::vector<std::u16string>& words = roman_->Candidates();
  if (!roman_->Composing()) {
    // Nothing is being composed: an empty row, and no word marked.
    page.Words.emplace_back();
    page.Highlight = 0;
  } else if (words.empty()) {
    // What a break writes: the letters as typed.
    page.Words.emplace_back(roman_->Letters());
    page.Highlight = 0;
  } else {
    // The highlighted word stands where the popup marks its current word.
    const int highlight = roman_->Highlight();
    const int first = std::max(0, highlight - Suggestions::kWordsBefore);
    const int last =
        std::min(static_cast<int>(words.size()), highlight + Suggestions::kWordsAfter + 1);
    for (int i = first; i < last; ++i) page.Words.emplace_back(words[static_cast<std::size_t>(i)]);
    page.Highlight = highlight - first;
    page.First = first;
    page.Numbered = page.Highlight;
  }
  view_.Show(page);
}

}  // namespace lekhora
