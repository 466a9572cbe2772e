// The handlers' side of the suggestions: the word prefix they keep and the
// calls they make, through a fake that records them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"
#include "engine/layout_choice.h"
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
  void Accept(TextBox& box, int caret, bool separator) override {
    calls.push_back("accept " + std::to_string(caret) + (separator ? " space" : " right"));
    acceptedBox = &box;
  }
  void ScrollDown() override { calls.push_back("down"); }
  void ScrollUp() override { calls.push_back("up"); }

  std::vector<std::string> calls;
  TextBox* acceptedBox = nullptr;
  bool fail = false;
};

using Calls = std::vector<std::string>;

class KeyCommands : public ::testing::Test {
 protected:
  void SetUp() override { LoadLayouts(); }

  std::int16_t Press(char16_t key) {
    auto code = static_cast<std::int16_t>(key);
    engine.KeyPress(code);
    return code;
  }
  std::int16_t Down(std::int16_t code, std::int16_t shift) {
    engine.KeyDown(code, shift);
    return code;
  }
  std::int16_t Up(std::int16_t code, std::int16_t shift) {
    engine.KeyUp(code, shift);
    return code;
  }

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

TEST_F(KeyCommands, WordBreaksResetTheSearchButNotThePrefixUntilReleased) {
  Press(u'k');
  state.SearchStart = 7;
  hooks.calls.clear();
  EXPECT_EQ(Press(u'!'), 0);  // typed, yet a word break
  EXPECT_EQ(state.LastKey, u'!');
  EXPECT_EQ(state.SearchStart, 0);
  EXPECT_EQ(state.WordPrefix, std::u16string(1, 0x0915));
  EXPECT_TRUE(hooks.calls.empty());
  EXPECT_EQ(Press(u' '), u' ');
  EXPECT_EQ(state.LastKey, 0);
  Up(16, 1);  // Shift released: not a break
  EXPECT_FALSE(state.WordPrefix.empty());
  Up(kVkSpace, 0);
  EXPECT_TRUE(state.WordPrefix.empty());
}

TEST_F(KeyCommands, AMultiUnitEntryJoinsThePrefixWhole) {
  SetLayout(kRemingtonLayout);
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

TEST_F(KeyCommands, ShiftSpaceAndShiftRightAcceptAtTheCaret) {
  Press(u'k');
  Press(u' ');
  box.DefaultKey(u' ');
  EXPECT_EQ(Up(kVkSpace, kShiftBit), 0);
  box.SetSelStart(1);
  EXPECT_EQ(Up(kVkRight, kShiftBit), 0);
  EXPECT_EQ(hooks.calls, (Calls{"search", "show", "accept 2 space", "accept 1 right"}));
  EXPECT_EQ(hooks.acceptedBox, &box);
  // A command keeps the prefix for the suggestions that follow.
  EXPECT_EQ(state.WordPrefix, std::u16string(1, 0x0915));
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

TEST_F(KeyCommands, BackspaceShortensThePrefixAndSearchesOnlyWhenThereIsOne) {
  Up(kVkBack, 0);
  EXPECT_TRUE(hooks.calls.empty());
  state.WordPrefix = u"ab";
  Up(kVkBack, kCtrlBit);  // whatever the modifiers
  EXPECT_EQ(state.WordPrefix, u"a");
  EXPECT_EQ(hooks.calls, (Calls{"search", "show"}));
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
