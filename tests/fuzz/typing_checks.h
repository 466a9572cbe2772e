#pragma once
// The typing engine with the suggestions, driven by arbitrary bytes: each
// byte picks a key, Backspace, a caret move, a selection, an outside edit or
// an accept. After every step the word being typed is empty or ends the text
// before the caret, an accept changed nothing but the word it replaced (and
// its space), and a key replaced nothing the engine did not just write.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/key_replay.h"
#include "engine/layout.h"
#include "engine/memory_text_box.h"
#include "engine/typing_engine.h"
#include "suggest/suggestion_view.h"
#include "suggest/suggestions.h"
#include "suggest/word_lists.h"
#include "tests/engine/box_keys.h"
#include "tests/fuzz/fuzz_checks.h"

namespace lekhora::fuzz {

// A few words sorted by code unit, so that searches find and accepts write.
inline const WordLists& TypingWords() {
  static const WordLists lists = [] {
    const std::u16string ka(1, u'\u0915'), kha(1, u'\u0916'), ma(1, u'\u092E');
    const std::u16string aa(1, u'\u093E'), i(1, u'\u093F'), na(1, u'\u0928');
    WordLists words;
    words.WordList = {ka, ka + aa, ka + ma, ka + ma + aa + na, kha + aa, kha + i, ma + na, u""};
    words.WordCount = static_cast<std::int16_t>(words.WordList.size() - 1);
    return words;
  }();
  return lists;
}

// The fuzzer's bytes as choices; past the end every choice is 0.
class ByteSource {
 public:
  ByteSource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool More() const { return at_ < size_; }
  int Below(int n) { return More() ? data_[at_++] % n : 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

class TypingRun {
 public:
  explicit TypingRun(ByteSource& source)
      : source_(source),
        engine_(box_, suggestions_),
        suggestions_(engine_.State(), TypingWords(), view_) {}

  void Run() {
    // At most this many steps, so that one input stays quick.
    for (int step = 0; step < 4000 && source_.More(); ++step) Step();
  }

 private:
  static std::u16string_view Before(const std::u16string& text, int caret) {
    return std::u16string_view(text).substr(0, static_cast<std::size_t>(caret));
  }
  static std::u16string_view From(const std::u16string& text, int at) {
    return std::u16string_view(text).substr(static_cast<std::size_t>(at));
  }

  // LEKHORA_FUZZ_TRACE=1 prints every step, to read a finding.
  static bool Trace() {
    static const bool on = std::getenv("LEKHORA_FUZZ_TRACE") != nullptr;
    return on;
  }

  void Step() {
    const std::u16string before = box_.View();
    int caret = box_.SelStart();
    int selected = box_.SelLength();
    const std::u16string prefix = engine_.State().WordPrefix;
    index_ = suggestions_.SuggestionIndex();
    bool atOwnOutput = before == ownText_ && caret == ownCaret_ && selected == 0;
    bool latinKey = false, accept = false, separator = false;
    const int size = static_cast<int>(before.size());
    const int kind = source_.Below(16);
    switch (kind) {
      case 0:
      case 1:
      case 2:
      case 3: {
        // Any key of the US keyboard's printable range, weighted to none.
        const auto key = static_cast<char16_t>(33 + source_.Below(94));
        TypeKey(engine_, box_, key);
        latinKey = true;
        break;
      }
      case 4:
        TypeKey(engine_, box_, u' ');
        break;
      case 5:
        testing::HoldBackspace(engine_, box_, 1 + source_.Below(4));
        break;
      case 6:
        TypeKey(engine_, box_, u' ', {kVkSpace, kShiftBit});
        accept = separator = true;
        break;
      case 7:
        testing::PressBoxKey(engine_, box_, testing::BoxKey::kShiftRight);
        accept = true;
        break;
      case 8:
        testing::PressBoxKey(
            engine_, box_,
            source_.Below(2) ? testing::BoxKey::kShiftDown : testing::BoxKey::kShiftUp);
        break;
      case 9:
        box_.SetSelStart(source_.Below(size + 1));
        engine_.BoxChanged();
        engine_.MouseUp();
        break;
      case 10:
        box_.SetSelStart(source_.Below(size + 1));
        box_.SetSelLength(source_.Below(6));
        engine_.BoxChanged();
        break;
      case 11: {
        // A paste or an on-screen key: any unit, a surrogate half included.
        const auto unit = static_cast<char16_t>(source_.Below(256) << 8 | source_.Below(256));
        box_.SetSelText(std::u16string(1 + source_.Below(2), unit));
        engine_.BoxChanged();
        break;
      }
      case 12: {
        static constexpr testing::BoxKey kKeys[] = {
            testing::BoxKey::kLeft, testing::BoxKey::kRight,  testing::BoxKey::kHome,
            testing::BoxKey::kEnd,  testing::BoxKey::kDelete, testing::BoxKey::kSelectAll};
        testing::PressBoxKey(engine_, box_, kKeys[source_.Below(6)]);
        break;
      }
      case 13:
        TypeKey(engine_, box_, static_cast<char16_t>(source_.Below(2) ? 13 : 9));
        break;
      case 14:
        conversionOn_ = !conversionOn_;
        engine_.SetConversion(conversionOn_);
        break;
      default:
        // A Latin key typed while something else changed the box unreported.
        box_.SetSelStart(source_.Below(size + 1));
        caret = box_.SelStart();
        selected = 0;
        atOwnOutput = before == ownText_ && caret == ownCaret_;
        TypeKey(engine_, box_, u"kahie"[source_.Below(5)]);
        latinKey = true;
        break;
    }
    if (Trace()) {
      std::fprintf(stderr, "step %d: text", kind);
      for (char16_t c : box_.View()) std::fprintf(stderr, " %04X", static_cast<unsigned>(c));
      std::fprintf(stderr, " | caret %d+%d | word", box_.SelStart(), box_.SelLength());
      for (char16_t c : engine_.State().WordPrefix)
        std::fprintf(stderr, " %04X", static_cast<unsigned>(c));
      std::fprintf(stderr, " | suggestion %d\n", suggestions_.SuggestionIndex());
    }
    // A key typed with conversion off is the box's own Latin letter.
    if (latinKey && !conversionOn_) {
      ownText_.clear();
      ownCaret_ = -1;
      latinKey = false;
    }
    if (latinKey) CheckKey(before, caret, selected, atOwnOutput);
    if (accept) CheckAccept(before, caret, selected, prefix, separator);
    if (latinKey) {
      ownText_ = box_.View();
      ownCaret_ = box_.SelStart();
    }
    // Switched off, the engine leaves the word alone and looks at the box
    // again when switched on.
    if (conversionOn_) CheckWord();
  }

  // A Latin key inserts at the caret (over the selection), or replaces the one
  // unit before the caret when that is the output of the key just before it.
  void CheckKey(const std::u16string& before, int caret, int selected, bool atOwnOutput) {
    const std::u16string_view after = box_.View();
    if (!after.ends_with(From(before, caret + selected)))
      Violated("the text after the caret changed");
    if (after.starts_with(Before(before, caret))) return;
    if (!atOwnOutput) Violated("a key replaced a character the engine did not just write");
    if (!after.starts_with(Before(before, caret - 1)))
      Violated("a key replaced more than the character before the caret");
  }

  void CheckAccept(const std::u16string& before, int caret, int selected,
                   const std::u16string& prefix, bool separator) {
    const std::u16string& after = box_.View();
    // With no word, or a word the text before the caret no longer ends with
    // (conversion was off meanwhile), nothing but the typed space may change.
    if (prefix.empty() || !Before(before, caret).ends_with(prefix)) {
      std::u16string typed = before;
      if (separator)
        typed.replace(static_cast<std::size_t>(caret), static_cast<std::size_t>(selected), 1, u' ');
      if (after != typed) Violated("an accept without a word before the caret changed the text");
      return;
    }
    const int wordStart = caret - static_cast<int>(prefix.size());
    if (wordStart < 0) Violated("the word was longer than the text before the caret");
    const std::u16string_view head = Before(before, wordStart);
    // Shift+Space's space replaced the selection before the accept.
    const std::u16string_view tail = From(before, caret + (separator ? selected : 0));
    const std::u16string_view whole = after;
    if (!whole.starts_with(head) || !whole.ends_with(tail) ||
        after.size() < head.size() + tail.size())
      Violated("an accept changed text outside the word it replaced");
    const std::u16string_view middle =
        whole.substr(head.size(), after.size() - head.size() - tail.size());
    const std::u16string typed = prefix + (separator ? u" " : u"");
    // The suggestion current when the key went down; the accept may search anew.
    const int index = index_;
    const auto& words = TypingWords().WordList;
    const bool suggestion = index >= 0 && index < words.size() && middle == words[index];
    if (middle != typed && !suggestion)
      Violated("an accept wrote something other than the suggestion");
  }

  void CheckWord() {
    const std::u16string& word = engine_.State().WordPrefix;
    if (word.empty()) return;
    if (box_.SelLength() != 0) Violated("a word is kept while text is selected");
    if (!Before(box_.View(), box_.SelStart()).ends_with(word))
      Violated("the word being typed does not end the text before the caret");
  }

  ByteSource& source_;
  MemoryTextBox box_;
  StringSuggestionView view_;
  TypingEngine engine_;
  Suggestions suggestions_;
  bool conversionOn_ = true;
  int index_ = -1;
  std::u16string ownText_;
  int ownCaret_ = -1;
};

/// Any bytes: a typing session that keeps every rule above.
inline void CheckTyping(const std::uint8_t* data, std::size_t size) {
  ByteSource source(data, size);
  TypingRun(source).Run();
}

}  // namespace lekhora::fuzz
