// The engine's side of the suggestions: the word prefix it keeps and the
// calls its keys and commands make, through a fake that records them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"
#include "engine/key_replay.h"
#include "engine/layout.h"
#include "engine/memory_text_box.h"
#include "engine/typing_engine.h"

namespace lekhora {
namespace {

class RecordingHooks final : public SuggestionHooks {
 public:
  std::int16_t SearchList() override {
    calls.push_back("search");
    if (fail) throw OverflowError();
    return -1;
  }
  void ShowSuggestions() override {
    calls.push_back("show");
    if (fail) throw OverflowError();
  }
  // Writes word, when there is one, over the prefix and the separator.
  std::u16string Accept(TextBox& box, int caret, bool separator) override {
    calls.push_back("accept " + std::to_string(caret) + (separator ? " space" : " right"));
    acceptedBox = &box;
    if (word.empty()) return {};
    const int replaced = static_cast<int>(state->WordPrefix.size()) + (separator ? 1 : 0);
    box.SetSelStart(caret - replaced);
    box.SetSelLength(replaced);
    box.SetSelText(word);
    return word;
  }
  void ScrollDown() override { calls.push_back("down"); }
  void ScrollUp() override { calls.push_back("up"); }
  void Pick(int index) override { calls.push_back("pick " + std::to_string(index)); }

  std::vector<std::string> calls;
  TextBox* acceptedBox = nullptr;
  bool fail = false;
  std::u16string word;
  const TypingState* state = nullptr;
};

using Calls = std::vector<std::string>;

class KeyCommands : public ::testing::Test {
 protected:
  void SetUp() override { hooks.state = &state; }

  // A key going down with what it types (by default as a US keyboard types
  // it); 0 when the engine consumed it, else the character.
  char16_t Press(char16_t key, KeyStroke stroke) {
    return engine.Key(KeyPressed(stroke.keyCode, key, stroke.shift)).consumed ? 0 : key;
  }
  char16_t Press(char16_t key) { return Press(key, UsKeyStroke(key)); }
  // A key going down or up that types nothing; 0 when consumed, else code.
  std::int16_t Down(std::int16_t code, std::int16_t shift) {
    return engine.Key(KeyPressed(code, 0, shift)).consumed ? 0 : code;
  }
  std::int16_t Up(std::int16_t code, std::int16_t shift) {
    return engine.Key(KeyReleased(code, shift)).consumed ? 0 : code;
  }
  // A key the box types itself, as it does after the engine lets it through.
  void PressTypedByBox(char16_t key, KeyStroke stroke) {
    if (Press(key, stroke) != 0) box.DefaultKey(key);
  }
  void PressTypedByBox(char16_t key) { PressTypedByBox(key, UsKeyStroke(key)); }

  MemoryTextBox box;
  RecordingHooks hooks;
  TypingEngine engine{box, hooks};
  TypingState& state = engine.State();
};

TEST_F(KeyCommands, TypedKeysExtendOrCorrectThePrefixAndSearch) {
  EXPECT_EQ(Press(u'k'), 0);
  EXPECT_EQ(state.WordPrefix, std::u16string(1, 0x0915));
  EXPECT_EQ(hooks.calls, (Calls{"search", "show"}));
  Press(u'h');
  EXPECT_EQ(state.WordPrefix, std::u16string(1, 0x0916));
  EXPECT_EQ(hooks.calls.size(), 4u);
  // Backspace goes to the box, and is searched for, but shortens nothing yet.
  EXPECT_EQ(Press(8), 8);
  EXPECT_EQ(state.WordPrefix, std::u16string(1, 0x0916));
  EXPECT_EQ(hooks.calls.size(), 6u);
}

TEST_F(KeyCommands, SpaceResetsTheSearchButKeepsThePrefixUntilReleased) {
  Press(u'k');
  state.SearchStart = 7;
  hooks.calls.clear();
  PressTypedByBox(u' ');
  EXPECT_EQ(state.LastKey, 0);
  EXPECT_EQ(state.SearchStart, 0);
  EXPECT_EQ(state.WordPrefix, std::u16string(1, 0x0915));
  EXPECT_TRUE(hooks.calls.empty());
  Up(16, 1);  // Shift released: not a break
  EXPECT_FALSE(state.WordPrefix.empty());
  Up(kVkSpace, 0);
  EXPECT_TRUE(state.WordPrefix.empty());
}

TEST_F(KeyCommands, QuoteEndsTheWordAndExclamationTypesTheNuktaInsideIt) {
  // Both are word-break codes. The double quote's entry follows the word,
  // which no longer ends the text before the caret; "!" types the nukta of
  // the letter before, which the word then spells (and is searched for).
  const struct {
    char16_t before;
    char16_t key;
    std::u16string prefix;
  } cases[] = {{u'k', u'"', u""}, {u'j', u'!', u"\u091C\u093C"}};
  for (const auto& c : cases) {
    Press(c.before);
    hooks.calls.clear();
    EXPECT_EQ(Press(c.key), 0);
    EXPECT_EQ(state.LastKey, c.key);
    EXPECT_EQ(state.WordPrefix, c.prefix);
    EXPECT_EQ(hooks.calls.empty(), c.prefix.empty());
  }
}

TEST_F(KeyCommands, AMultiUnitEntryJoinsThePrefixWhole) {
  engine.SetLayout(MakeLayout(kRemingtonLayout));
  Press(u'{');
  EXPECT_EQ(state.WordPrefix, (std::u16string{0x0915, 0x094D, 0x0937, 0x094D}));
}

TEST_F(KeyCommands, ReplacingWithAnEmptyPrefixLeavesItEmpty) {
  Press(u'k');
  engine.MouseUp();
  EXPECT_TRUE(state.WordPrefix.empty());
  EXPECT_EQ(state.LastKey, u'k');
  Press(u'h');
  EXPECT_TRUE(state.WordPrefix.empty());
  EXPECT_EQ(box.View(), std::u16string(1, 0x0916));
}

TEST_F(KeyCommands, AcceptedWordBecomesTheWordBeingTyped) {
  const std::u16string kamal{0x0915, 0x092E, 0x0932};
  hooks.word = kamal;
  Press(u'k');
  PressTypedByBox(u' ');
  EXPECT_EQ(Up(kVkSpace, kShiftBit), 0);
  EXPECT_EQ(box.View(), kamal);
  EXPECT_EQ(state.WordPrefix, kamal);
  // Nothing composes with a word that was not typed key by key.
  EXPECT_EQ(state.LastKey, 0);
  // So Shift+Right replaces it whole; the box must not select past the caret first.
  EXPECT_EQ(Down(kVkRight, kShiftBit), 0);
  EXPECT_EQ(Up(kVkRight, kShiftBit), 0);
  EXPECT_EQ(hooks.calls, (Calls{"search", "show", "accept 2 space", "accept 3 right"}));
  EXPECT_EQ(hooks.acceptedBox, &box);
}

TEST_F(KeyCommands, ShiftLetGoBeforeTheKeyStillMakesTheCommand) {
  // Shift down, Space down, Shift up, Space up: still Shift+Space, and again
  // on the accepted word, which it replaces whole.
  const std::u16string kamal{0x0915, 0x092E, 0x0932};
  hooks.word = kamal;
  Press(u'k');
  for (int accept = 0; accept < 2; ++accept) {
    Down(kVkShift, kShiftBit);
    PressTypedByBox(u' ', {kVkSpace, kShiftBit});
    Up(kVkShift, 0);
    EXPECT_EQ(Up(kVkSpace, 0), 0);
    EXPECT_EQ(box.View(), kamal);
  }
  // Shift+Right and Shift+Down likewise; a key pressed without Shift is no
  // command whatever is held at its release.
  EXPECT_EQ(Down(kVkRight, kShiftBit), 0);
  EXPECT_EQ(Up(kVkRight, 0), 0);
  EXPECT_EQ(Down(kVkDown, kShiftBit), 0);
  EXPECT_EQ(Up(kVkDown, 0), 0);
  EXPECT_EQ(Down(kVkDown, 0), kVkDown);
  EXPECT_EQ(Up(kVkDown, 0), kVkDown);
  EXPECT_EQ(hooks.calls, (Calls{"search", "show", "accept 2 space", "accept 4 space",
                                "accept 3 right", "down"}));
}

TEST_F(KeyCommands, AcceptNeedsAWordUpToTheCaretOrItsOwnSpace) {
  hooks.word = std::u16string(1, 0x0916);
  // A space after a word already ended stays a space.
  PressTypedByBox(u'k');
  PressTypedByBox(u' ');
  Up(kVkSpace, 0);
  PressTypedByBox(u' ');
  EXPECT_EQ(Up(kVkSpace, kShiftBit), 0);
  EXPECT_EQ(box.View(), u"\u0915  ");
  // With no word Shift+Right is the box's own selection.
  EXPECT_EQ(Down(kVkRight, kShiftBit), kVkRight);
  // A word the caret has left is not replaced.
  PressTypedByBox(u'k');
  box.SetSelStart(0);
  EXPECT_EQ(Down(kVkRight, kShiftBit), kVkRight);
  EXPECT_EQ(Up(kVkRight, kShiftBit), 0);
  EXPECT_EQ(box.View(), u"\u0915  \u0915");
  EXPECT_EQ(hooks.calls, (Calls{"search", "show", "search", "show"}));
}

TEST_F(KeyCommands, AKeyPressedBeforeTheSpaceComesUpStartsANewWord) {
  hooks.word = std::u16string(1, 0x0916);
  Press(u'k');
  PressTypedByBox(u' ');
  Press(u'm');
  EXPECT_EQ(state.WordPrefix, std::u16string(1, 0x092E));
  Up(kVkSpace, kShiftBit);
  EXPECT_EQ(box.View(), u"\u0915 \u092E");
  EXPECT_TRUE(state.WordPrefix.empty());
}

TEST_F(KeyCommands, AnAcceptThatWritesNothingEndsTheWordAtItsSpace) {
  Press(u'k');
  PressTypedByBox(u' ');
  Up(kVkSpace, kShiftBit);
  EXPECT_EQ(box.View(), u"\u0915 ");
  EXPECT_TRUE(state.WordPrefix.empty());
}

TEST_F(KeyCommands, AcceptScrollAndPickAreCommandsNotKeys) {
  const std::u16string kamal{0x0915, 0x092E, 0x0932};
  hooks.word = kamal;
  Press(u'k');
  engine.ScrollDown();
  engine.ScrollUp();
  engine.Pick(3);
  EXPECT_EQ(box.View(), kamal);
  EXPECT_EQ(engine.Word(), kamal);
  // A second accept replaces the accepted word whole.
  engine.Accept();
  EXPECT_EQ(hooks.calls,
            (Calls{"search", "show", "down", "up", "pick 3", "accept 1 right", "accept 3 right"}));
  // Without a word, or with conversion off, a command changes nothing.
  hooks.calls.clear();
  engine.MouseUp();
  engine.Accept();
  engine.SetConversion(false);
  engine.ScrollDown();
  engine.Pick(0);
  EXPECT_TRUE(hooks.calls.empty());
  EXPECT_EQ(box.View(), kamal);
}

TEST_F(KeyCommands, CommandsNeedShiftAlone) {
  for (std::int16_t shift : {0, 3, 5}) {
    EXPECT_EQ(Up(kVkRight, shift), kVkRight);
    EXPECT_EQ(Up(kVkDown, shift), kVkDown);
    EXPECT_EQ(Down(kVkUp, shift), kVkUp);
  }
  EXPECT_TRUE(hooks.calls.empty());
}

TEST_F(KeyCommands, ShiftUpAndDownScrollAndAreSwallowedOnlyWithConversion) {
  EXPECT_EQ(Down(kVkDown, kShiftBit), 0);
  EXPECT_EQ(Down(kVkUp, kShiftBit), 0);
  EXPECT_EQ(Up(kVkDown, kShiftBit), 0);
  EXPECT_EQ(Up(kVkUp, kShiftBit), 0);
  EXPECT_EQ(hooks.calls, (Calls{"down", "up"}));
  engine.SetConversion(false);
  EXPECT_EQ(Down(kVkDown, kShiftBit), kVkDown);
  EXPECT_EQ(Up(kVkDown, kShiftBit), kVkDown);
  EXPECT_EQ(Up(kVkSpace, kShiftBit), kVkSpace);
  EXPECT_EQ(hooks.calls.size(), 2u);
}

TEST_F(KeyCommands, BackspaceShortensThePrefixByWhatTheBoxDeleted) {
  Up(kVkBack, 0);
  EXPECT_TRUE(hooks.calls.empty());
  Press(u'k');
  Press(u'm');
  box.DefaultKey(8);
  hooks.calls.clear();
  Up(kVkBack, kCtrlBit);  // whatever the modifiers
  EXPECT_EQ(state.WordPrefix, std::u16string(1, 0x0915));
  EXPECT_EQ(state.LastKey, 0);
  EXPECT_EQ(hooks.calls, (Calls{"search", "show"}));
  // A release with nothing deleted shortens nothing.
  Up(kVkBack, 0);
  EXPECT_EQ(state.WordPrefix, std::u16string(1, 0x0915));
  EXPECT_EQ(hooks.calls.size(), 2u);
  // Deleting past the word ends it.
  box.DefaultKey(8);
  box.SetSelText(u"ab");
  box.DefaultKey(8);
  box.DefaultKey(8);
  Up(kVkBack, 0);
  EXPECT_TRUE(state.WordPrefix.empty());
}

TEST_F(KeyCommands, AnEditOutsideTheHandlersEndsTheWordAndTheComposition) {
  Press(u'k');
  box.SetSelText(u"x");  // a paste, an on-screen key, a user word
  engine.BoxChanged();
  EXPECT_TRUE(state.WordPrefix.empty());
  EXPECT_EQ(state.LastKey, 0);
  // Latin typed with conversion off is seen when it comes back on.
  Press(u'k');
  engine.SetConversion(false);
  box.DefaultKey(u'x');
  engine.BoxChanged();
  EXPECT_EQ(state.LastKey, u'k');
  engine.SetConversion(true);
  EXPECT_TRUE(state.WordPrefix.empty());
  EXPECT_EQ(state.LastKey, 0);
}

TEST_F(KeyCommands, CtrlIsRecordedEvenWithConversionOff) {
  engine.SetConversion(false);
  Down('D', kCtrlBit | kShiftBit);
  EXPECT_TRUE(state.CtrlDown);
  Down('D', 0);
  EXPECT_FALSE(state.CtrlDown);
}

TEST_F(KeyCommands, ConversionOffTouchesNothing) {
  Press(u'k');
  hooks.calls.clear();
  engine.SetConversion(false);
  EXPECT_EQ(Press(u'h'), u'h');
  Up(kVkSpace, 0);
  Up(kVkBack, 0);
  EXPECT_EQ(state.WordPrefix, std::u16string(1, 0x0915));
  EXPECT_EQ(state.LastKey, u'k');
  EXPECT_TRUE(hooks.calls.empty());
  engine.MouseUp();  // a click clears the prefix all the same
  EXPECT_TRUE(state.WordPrefix.empty());
}

TEST_F(KeyCommands, AFailingSuggestionStepDoesNotLoseTheKey) {
  hooks.fail = true;
  EXPECT_EQ(Press(u'k'), 0);
  EXPECT_EQ(box.View(), std::u16string(1, 0x0915));
  EXPECT_EQ(state.LastKey, u'k');
  EXPECT_EQ(hooks.calls, (Calls{"search", "show"}));
}

TEST(WordBreak, CodesTwoToThirtyFourExceptFour) {
  std::vector<int> breaks;
  for (int code = -1; code <= 300; ++code)
    if (IsWordBreak(static_cast<std::int16_t>(code))) breaks.push_back(code);
  std::vector<int> expected;
  for (int code = 2; code <= 34; ++code)
    if (code != 8 && code != 16 && code != 17 && code != 20) expected.push_back(code);
  EXPECT_EQ(breaks, expected);
}

TEST(AddMatraToA, KnownVowelsOnly) {
  EXPECT_EQ(addMatraToA(u"ai"), std::u16string(1, 0x0910));
  EXPECT_EQ(addMatraToA(u"au"), std::u16string(1, 0x0914));
  EXPECT_EQ(addMatraToA(u"uu"), addMatraToA(u"U"));
  for (std::u16string_view unknown : {u"aa", u"II", u"", u"k", u"iii", u"A"})
    EXPECT_TRUE(addMatraToA(unknown).empty());
}

}  // namespace
}  // namespace lekhora
