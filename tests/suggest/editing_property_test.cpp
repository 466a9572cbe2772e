// Random editing on the engine with the suggestions over the bundled word
// list: keys, Backspace, arrows, clicks, selections, pastes and accepts in
// thousands of reproducible sequences. After every step the word being typed
// must still end the text before the caret, an accept must have changed
// nothing but the word it replaced (and its space), and a composed key must
// have replaced only the output of the key just before it.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/key_replay.h"
#include "engine/layout.h"
#include "engine/memory_text_box.h"
#include "engine/typing_engine.h"
#include "suggest/suggestion_view.h"
#include "suggest/suggestions.h"
#include "suggest/word_lists.h"
#include "tests/engine/box_keys.h"
#include "tests/engine/test_text.h"
#include "tests/suggest/bundled_list.h"

namespace lekhora {
namespace {

using testing::BoxKey;
using testing::PressBoxKey;
using testing::Show;

constexpr int kSequences = 3000;
constexpr int kStepsPerSequence = 60;

using testing::BundledList;

// The same numbers on every platform, unlike the standard distributions.
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
  int Below(int n) {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<int>(state_ % static_cast<std::uint32_t>(n));
  }

 private:
  std::uint32_t state_;
};

// The typing window's pair: the engine and the suggestions it calls.
struct Pad {
  explicit Pad(MemoryTextBox& box)
      : engine(box, suggestions), suggestions(engine.State(), BundledList(), view) {}
  StringSuggestionView view;
  TypingEngine engine;
  Suggestions suggestions;
};

// Latin keys weighted towards the ones that compose.
constexpr std::u16string_view kKeys = u"kgcjtdpbqsxhhhmnrlvyaaaiiiuuueeeoooAAAIUEO!\"1";
// What a paste, an on-screen key or a user word may put in.
const std::u16string kInserts[] = {u"x", u"\u0915", u"\u093E",      u"\u0905",
                                   u" ", u"ab",     u"\u0915\u092E"};

// A text as the typing cases write it: its units, comma-separated.
std::string Units(std::u16string_view text) {
  std::string out;
  char unit[8];
  for (char16_t c : text) {
    std::snprintf(unit, sizeof unit, "U+%04X", static_cast<unsigned>(c));
    out += (out.empty() ? "" : ",") + std::string(unit);
  }
  return out;
}

std::u16string_view Before(const std::u16string& text, int caret) {
  return std::u16string_view(text).substr(0, static_cast<std::size_t>(caret));
}
std::u16string_view From(const std::u16string& text, int at) {
  return std::u16string_view(text).substr(static_cast<std::size_t>(at));
}

class Sequence {
 public:
  explicit Sequence(std::uint32_t seed) : random_(seed), pad_(box_) {
    // Some sequences start inside a text that the engine did not write.
    if (random_.Below(3) == 0) {
      box_.SetSelText(u"ab\u0915\u093E cd");
      box_.SetSelStart(random_.Below(8));
    }
    log_ = "seed " + std::to_string(seed) + ", start " + Show(box_.View()) + " caret " +
           std::to_string(box_.SelStart()) + "\n";
  }

  // Runs the steps; false at the first one that breaks a rule.
  bool Run() {
    for (int i = 0; i < kStepsPerSequence; ++i) {
      if (!Step()) return false;
    }
    return true;
  }
  const std::string& Log() const { return log_; }

 private:
  bool Step() {
    const std::u16string before = box_.View();
    const int caret = box_.SelStart();
    const int selected = box_.SelLength();
    const std::u16string prefix = State().WordPrefix;
    const bool atOwnOutput = before == ownText_ && caret == ownCaret_ && selected == 0;

    std::string token;
    bool latinKey = false;
    bool accept = false;
    bool separator = false;
    const int kind = random_.Below(100);
    if (kind < 55) {
      const char16_t key =
          kKeys[static_cast<std::size_t>(random_.Below(static_cast<int>(kKeys.size())))];
      token = std::string(1, static_cast<char>(key));
      TypeKey(pad_.engine, box_, key);
      latinKey = true;
    } else if (kind < 63) {
      token = "<sp>";
      TypeKey(pad_.engine, box_, u' ');
    } else if (kind < 70) {
      token = "<bs>";
      TypeKey(pad_.engine, box_, 8);
    } else if (kind < 72) {
      const int repeats = 2 + random_.Below(3);
      token = "<bs:" + std::to_string(repeats) + ">";
      testing::HoldBackspace(pad_.engine, box_, repeats);
    } else if (kind < 78) {
      token = "<shift+space>";
      TypeKey(pad_.engine, box_, u' ', {kVkSpace, kShiftBit});
      accept = separator = true;
    } else if (kind < 81) {
      token = "<shift+right>";
      PressBoxKey(pad_.engine, box_, BoxKey::kShiftRight);
      accept = true;
    } else if (kind < 84) {
      const bool down = random_.Below(2) == 0;
      token = down ? "<shift+down>" : "<shift+up>";
      PressBoxKey(pad_.engine, box_, down ? BoxKey::kShiftDown : BoxKey::kShiftUp);
    } else if (kind < 87) {
      const int to = random_.Below(static_cast<int>(before.size()) + 1);
      token = "<click:" + std::to_string(to) + ">";
      box_.SetSelStart(to);
      pad_.engine.BoxChanged();
      pad_.engine.MouseUp();
    } else if (kind < 89) {
      const int from = random_.Below(static_cast<int>(before.size()) + 1);
      const int length = random_.Below(4);
      token = "<sel:" + std::to_string(from) + "," + std::to_string(length) + ">";
      box_.SetSelStart(from);
      box_.SetSelLength(length);
      pad_.engine.BoxChanged();
    } else if (kind < 92) {
      const std::u16string& text = kInserts[random_.Below(static_cast<int>(std::size(kInserts)))];
      token = "<insert:" + Units(text) + ">";
      box_.SetSelText(text);
      pad_.engine.BoxChanged();
    } else if (kind < 97) {
      static constexpr BoxKey kBoxKeys[] = {BoxKey::kLeft, BoxKey::kRight,  BoxKey::kHome,
                                            BoxKey::kEnd,  BoxKey::kDelete, BoxKey::kSelectAll};
      static const char* const kNames[] = {"<left>", "<right>", "<home>",
                                           "<end>",  "<del>",   "<ctrl+a>"};
      const int which = random_.Below(static_cast<int>(std::size(kBoxKeys)));
      token = kNames[which];
      PressBoxKey(pad_.engine, box_, kBoxKeys[which]);
    } else if (kind < 98) {
      token = "<enter>";
      TypeKey(pad_.engine, box_, 13);
    } else {
      token = "<off> x <on>";
      pad_.engine.SetConversion(false);
      TypeKey(pad_.engine, box_, u'x');
      pad_.engine.SetConversion(true);
    }
    const std::u16string& after = box_.View();
    log_ += "  " + token + " -> " + Show(after) + " caret " + std::to_string(box_.SelStart()) +
            ", word " + Show(State().WordPrefix) + "\n";

    if (latinKey && !CheckKey(before, caret, selected, atOwnOutput)) return false;
    if (accept && !CheckAccept(before, caret, selected, prefix, separator)) return false;
    if (latinKey) {
      ownText_ = after;
      ownCaret_ = box_.SelStart();
    }
    return CheckWord();
  }

  // A Latin key inserts at the caret (over the selection), or replaces the
  // one unit before the caret when it composes with the key just before it,
  // whose output still stands there.
  bool CheckKey(const std::u16string& before, int caret, int selected, bool atOwnOutput) {
    const std::u16string& after = box_.View();
    const std::u16string_view rest = From(before, caret + selected);
    if (!std::u16string_view(after).ends_with(rest))
      return Fail("the text after the caret changed");
    if (std::u16string_view(after).starts_with(Before(before, caret))) return true;
    if (!atOwnOutput) return Fail("a key composed with a character the engine did not just write");
    if (!std::u16string_view(after).starts_with(Before(before, caret - 1)))
      return Fail("a key replaced more than the character before the caret");
    return true;
  }

  // Only the word typed up to the caret, and Shift+Space's own space, may be
  // replaced, and only by the current suggestion.
  bool CheckAccept(const std::u16string& before, int caret, int selected,
                   const std::u16string& prefix, bool separator) {
    const std::u16string& after = box_.View();
    if (prefix.empty()) {
      std::u16string typed = before;
      if (separator)
        typed.replace(static_cast<std::size_t>(caret), static_cast<std::size_t>(selected), 1, u' ');
      if (after != typed) return Fail("an accept with no word typed changed the text");
      return true;
    }
    const int wordStart = caret - static_cast<int>(prefix.size());
    const std::u16string_view head = Before(before, wordStart);
    const std::u16string_view tail = From(before, caret);
    if (!std::u16string_view(after).starts_with(head) ||
        !std::u16string_view(after).ends_with(tail) || after.size() < head.size() + tail.size())
      return Fail("an accept changed text outside the word it replaced");
    const std::u16string_view middle =
        std::u16string_view(after).substr(head.size(), after.size() - head.size() - tail.size());
    const std::u16string typed = prefix + (separator ? u" " : u"");
    const int index = pad_.suggestions.SuggestionIndex();
    const auto& words = BundledList().WordList;
    const bool suggestion = index >= 0 && index < words.size() && middle == words[index];
    if (middle != typed && !suggestion)
      return Fail("an accept wrote something other than the suggestion");
    return true;
  }

  bool CheckWord() {
    const std::u16string& word = State().WordPrefix;
    if (word.empty()) return true;
    if (box_.SelLength() != 0) return Fail("a word is kept while text is selected");
    if (!Before(box_.View(), box_.SelStart()).ends_with(word))
      return Fail("the word being typed does not end the text before the caret");
    return true;
  }

  bool Fail(const std::string& what) {
    log_ += "broken: " + what + "\n";
    return false;
  }

  const TypingState& State() const { return pad_.engine.State(); }

  Random random_;
  MemoryTextBox box_;
  Pad pad_;
  std::string log_;
  // The text and caret right after the engine last typed a key's output.
  std::u16string ownText_;
  int ownCaret_ = -1;
};

TEST(EditingProperty, WordAndCompositionStayInStepWithTheText) {
  ASSERT_GT(BundledList().WordCount, 1000) << "the bundled word list beside the test is missing";
  for (std::uint32_t seed = 1; seed <= kSequences; ++seed) {
    Sequence sequence(seed);
    if (!sequence.Run()) {
      ADD_FAILURE() << sequence.Log();
      return;
    }
  }
}

}  // namespace
}  // namespace lekhora
