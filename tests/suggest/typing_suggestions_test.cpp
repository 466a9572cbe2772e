// The typing engine and the suggestions together, as the typing window uses
// them: keys go in, the text box and the popup's strings come out.

#include <gtest/gtest.h>

#include <string>

#include "engine/key_replay.h"
#include "engine/layout.h"
#include "engine/memory_text_box.h"
#include "engine/typing_engine.h"
#include "suggest/suggestion_view.h"
#include "suggest/suggestions.h"
#include "suggest/word_lists.h"
#include "tests/suggest/letters.h"

namespace lekhora {
namespace {

using namespace testing;

class CountingView final : public SuggestionView {
 public:
  void Show(const CandidatePage& page) override {
    MainCaptionOf(page, main);
    tip = TipTextOf(page);
    ++refills;
  }
  std::u16string main;
  std::u16string tip;
  int refills = 0;
};

class TypingSuggestions : public ::testing::Test {
 protected:
  TypingSuggestions() {
    lists.WordList = {kKa, kKa + kMa, kKa + kMa + kLa, kKha + kAa, u""};
    lists.WordCount = 4;
  }

  void Type(std::u16string_view keys) {
    for (char16_t key : keys) TypeKey(engine, box, key);
  }
  // A key that types no character: down, what the box does with it, up.
  void Press(std::int16_t key, std::int16_t shift) {
    down_code = engine.Key(KeyPressed(key, 0, shift)).consumed ? 0 : key;
    if (down_code == kVkRight && shift == kShiftBit) box.SetSelLength(box.SelLength() + 1);
    up_code = engine.Key(KeyReleased(key, shift)).consumed ? 0 : key;
  }

  WordLists lists;
  MemoryTextBox box;
  CountingView view;
  TypingEngine engine{box, suggestions};
  Suggestions suggestions{engine.State(), lists, view};
  std::int16_t down_code = 0;
  std::int16_t up_code = 0;
};

TEST_F(TypingSuggestions, AspirateThenShiftSpaceAcceptsTheSuggestion) {
  Type(u"k");
  EXPECT_EQ(suggestions.SuggestionIndex(), 0);
  EXPECT_EQ(view.main, u" " + kKa);
  Type(u"h");  // "h" turns the ka into kha, in the text and in the prefix
  EXPECT_EQ(engine.State().WordPrefix, kKha);
  EXPECT_EQ(suggestions.SuggestionIndex(), 3);
  EXPECT_EQ(view.main, u" " + kKha + kAa);

  TypeKey(engine, box, u' ', {kVkSpace, kShiftBit});
  EXPECT_EQ(box.Text(), kKha + kAa);  // the prefix and the space are replaced
  EXPECT_EQ(box.SelStart(), 2);
  // The accepted word is the word being typed until a plain word break or a click.
  EXPECT_EQ(engine.State().WordPrefix, kKha + kAa);
  Type(u" ");
  EXPECT_EQ(engine.State().WordPrefix, u"");
}

TEST_F(TypingSuggestions, ShiftRightAcceptsAtTheEndAndInTheMiddle) {
  Type(u"km");
  Press(kVkRight, kShiftBit);
  EXPECT_EQ(box.Text(), kKa + kMa);  // kam is the first match of kam
  suggestions.SetSuggestionIndex(2);
  Press(kVkRight, kShiftBit);
  EXPECT_EQ(box.Text(), kKa + kMa + kLa);
  EXPECT_EQ(up_code, 0);
}

TEST_F(TypingSuggestions, ShiftRightInTheMiddleKeepsTheCharacterAfterTheCaret) {
  box.SetSelText(u"y");
  box.SetSelStart(0);
  Type(u"km");
  ASSERT_EQ(box.Text(), kKa + kMa + u"y");
  suggestions.SetSuggestionIndex(2);
  Press(kVkRight, kShiftBit);
  EXPECT_EQ(down_code, 0);  // the box does not select the "y" first
  EXPECT_EQ(box.Text(), kKa + kMa + kLa + u"y");
  EXPECT_EQ(box.SelStart(), 3);
}

TEST_F(TypingSuggestions, ShiftDownAndUpScrollWithoutMovingTheCaret) {
  Type(u"k");
  Press(kVkDown, kShiftBit);
  EXPECT_EQ(down_code, 0);  // swallowed: the caret does not move
  EXPECT_EQ(suggestions.SuggestionIndex(), 1);
  EXPECT_EQ(view.main, u" " + kKa + kMa);
  Press(kVkUp, kShiftBit);
  Press(kVkUp, kShiftBit);
  EXPECT_EQ(down_code, 0);
  EXPECT_EQ(suggestions.SuggestionIndex(), -1);
  EXPECT_EQ(box.Text(), kKa);
  EXPECT_EQ(box.SelStart(), 1);

  // Plain arrows are the box's own.
  Press(kVkDown, 0);
  EXPECT_EQ(down_code, kVkDown);
  EXPECT_EQ(suggestions.SuggestionIndex(), -1);
}

TEST_F(TypingSuggestions, WithConversionOffTheKeysAreLeftAloneButCtrlIsStillSeen) {
  engine.SetConversion(false);
  Press(kVkDown, kShiftBit);
  EXPECT_EQ(down_code, kVkDown);
  EXPECT_EQ(suggestions.SuggestionIndex(), 0);
  EXPECT_EQ(view.refills, 0);
  engine.Key(KeyPressed('C', 0, kCtrlBit));
  EXPECT_TRUE(engine.State().CtrlDown);
  engine.Key(KeyPressed('C', 0, 0));
  EXPECT_FALSE(engine.State().CtrlDown);
  Type(u"k");
  EXPECT_EQ(box.Text(), u"k");
  EXPECT_EQ(view.refills, 0);
}

TEST_F(TypingSuggestions, BackspaceSearchesAgainOnlyWhenThereIsAPrefix) {
  Type(u"km");
  EXPECT_EQ(suggestions.SuggestionIndex(), 1);
  const int before = view.refills;
  Type(u"\b");
  EXPECT_EQ(box.Text(), kKa);
  EXPECT_EQ(engine.State().WordPrefix, kKa);
  EXPECT_EQ(suggestions.SuggestionIndex(), 0);
  // The press searches for every key below the word breaks, Backspace too;
  // the release searches again because the prefix got shorter.
  EXPECT_EQ(view.refills, before + 2);

  engine.MouseUp();  // a click ends the word
  EXPECT_EQ(engine.State().WordPrefix, u"");
  const int cleared = view.refills;
  engine.Key(KeyReleased(kVkBack, 0));
  EXPECT_EQ(view.refills, cleared);  // empty prefix: no search
}

}  // namespace
}  // namespace lekhora
