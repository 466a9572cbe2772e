#include "ui/typing/typing_core.h"

#include "userdata/word_ranking.h"

namespace lekhora {

void TypingCore::SetRanking(WordRanking* ranking, bool ranked) {
  ranking_ = ranking;
  suggestions_.SetRanking(ranking != nullptr && ranked ? &ranking->Ranks() : nullptr);
}

bool TypingCore::Key(const KeyEvent& event) {
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
  learnedAt_ = -1;
  // A click may put the caret anywhere: the word before it is not known.
  suggestions_.SetPrevious({});
}

}  // namespace lekhora
