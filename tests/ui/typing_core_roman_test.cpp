// The pad's typing core with IntelligentRoman over a text box in memory: the
// Latin letters stand in the box while they compose, a break writes the
// highlighted word over them with its key, and every other way out leaves
// the letters as typed. The words come from a small fake source.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/layout.h"
#include "engine/memory_text_box.h"
#include "suggest/suggestion_view.h"
#include "suggest/word_lists.h"
#include "ui/typing/typing_core.h"
#include "userdata/word_ranking.h"

namespace lekhora {
namespace {

const std::u16string kKaise = u"\u0915\u0948\u0938\u0947";   // कैसे
const std::u16string kKaise2 = u"\u0915\u0907\u0938\u0947";  // कइसे
const std::u16string kHo = u"\u0939\u094B";                  // हो
const std::u16string kHello = u"\u0939\u0947\u0932\u094B";   // हेलो
const std::u16string kKa = u"\u0915\u093E";                  // का

class Pad {
 public:
  Pad() : core_(box_, lists_, view_) {
    core_.SetLayout(MakeLayout(kIntelligentRomanLayout));
    core_.SetRomanSource([this](std::u16string_view letters, std::u16string_view previous, int) {
      asked_.emplace_back(previous);
      const auto found = words_.find(std::u16string(letters));
      return found == words_.end() ? std::vector<std::u16string>{} : found->second;
    });
    core_.OnComposingChanged([this] { ++changes_; });
  }

  // A key as the typing box reports it: what the core lets through, the box does.
  void Press(char16_t unit, std::int16_t key = 0, std::int16_t modifiers = 0) {
    if (!core_.Key(KeyPressed(key, unit, modifiers))) box_.DefaultKey(unit);
    core_.Key(KeyReleased(key, modifiers));
  }
  void Type(std::u16string_view keys) {
    for (const char16_t unit : keys) Press(unit);
  }
  void ShiftDown() { core_.Key(KeyPressed(kVkDown, 0, kShiftBit)); }
  void ShiftUp() { core_.Key(KeyPressed(kVkUp, 0, kShiftBit)); }

  std::map<std::u16string, std::vector<std::u16string>> words_{
      {u"kaise", {kKaise, kKaise2}}, {u"ho", {kHo}}, {u"hello", {kHello}}, {u"ka", {kKa}}};
  MemoryTextBox box_;
  WordLists lists_;
  StringSuggestionView view_;
  TypingCore core_;
  std::vector<std::u16string> asked_;
  int changes_ = 0;
};

TEST(TypingCoreRoman, LettersStandInTheBoxAndABreakWritesTheWord) {
  Pad pad;
  pad.Type(u"kaise");
  EXPECT_EQ(pad.box_.View(), u"kaise");
  EXPECT_EQ(pad.core_.Composing().Start, 0);
  EXPECT_EQ(pad.core_.Composing().Length, 5);
  EXPECT_EQ(pad.view_.MainCaption(), u" " + kKaise);
  EXPECT_GT(pad.changes_, 0);
  pad.Type(u" ho ");
  EXPECT_EQ(pad.box_.View(), kKaise + u" " + kHo + u" ");
  EXPECT_EQ(pad.core_.Composing().Length, 0);
  // The second word was asked for after the first.
  EXPECT_EQ(pad.asked_.back(), kKaise);
  // Punctuation is a break too, and goes after the word.
  pad.Type(u"ho?");
  EXPECT_EQ(pad.box_.View(), kKaise + u" " + kHo + u" " + kHo + u"?");
}

TEST(TypingCoreRoman, EscapeAndWordsNothingStandsForKeepTheLetters) {
  Pad pad;
  pad.Type(u"hello");
  pad.Press(kCharEscape, 27);
  EXPECT_EQ(pad.box_.View(), u"hello");
  EXPECT_EQ(pad.core_.Composing().Length, 0);
  pad.Type(u" xyz.");
  EXPECT_EQ(pad.box_.View(), u"hello xyz.");
  // Typed outside a word, digits and punctuation are the box's own.
  pad.Type(u" 42!");
  EXPECT_EQ(pad.box_.View(), u"hello xyz. 42!");
}

TEST(TypingCoreRoman, BackspaceEditsTheLetters) {
  Pad pad;
  pad.Type(u"kaisee");
  pad.Press(kCharBackspace, kVkBack);
  EXPECT_EQ(pad.box_.View(), u"kaise");
  EXPECT_EQ(pad.core_.Composing().Length, 5);
  EXPECT_EQ(pad.view_.MainCaption(), u" " + kKaise);
  for (int i = 0; i < 5; ++i) pad.Press(kCharBackspace, kVkBack);
  EXPECT_EQ(pad.box_.View(), u"");
  EXPECT_EQ(pad.core_.Composing().Length, 0);
  // With nothing composed Backspace deletes text as ever.
  pad.box_.SetSelText(u"ab ");
  pad.Press(kCharBackspace, kVkBack);
  EXPECT_EQ(pad.box_.View(), u"ab");
}

TEST(TypingCoreRoman, DigitsPickAndShiftKeysMoveTheHighlight) {
  Pad pad;
  pad.Type(u"kaise2");
  EXPECT_EQ(pad.box_.View(), kKaise2);
  pad.Type(u" kaise");
  pad.ShiftDown();
  EXPECT_EQ(pad.view_.MainCaption(), u" " + kKaise2);
  EXPECT_NE(pad.view_.TipText().find(u"<<< " + kKaise2 + u" >>>"), std::u16string::npos);
  pad.ShiftDown();  // never past the last
  // The popup scrolls with the highlight, numbered from it: 1 is the word
  // highlighted, whatever its place among the candidates.
  pad.Press(u'1');
  EXPECT_EQ(pad.box_.View(), kKaise2 + u" " + kKaise2);
  pad.Type(u"kaise");
  pad.ShiftDown();
  pad.Press(u' ', kVkSpace);
  EXPECT_EQ(pad.box_.View(), kKaise2 + u" " + kKaise2 + kKaise2 + u" ");
  pad.Type(u"kaise");
  pad.ShiftDown();
  pad.ShiftUp();
  pad.Press(u'\r', 13);  // Enter commits and then types its line break
  EXPECT_EQ(pad.box_.View(), kKaise2 + u" " + kKaise2 + kKaise2 + u" " + kKaise + u"\n");
  // A click on a candidate in the popup writes it; on anything else, nothing.
  pad.Type(u"kaise");
  EXPECT_FALSE(pad.core_.PickWord(kHo));
  EXPECT_TRUE(pad.core_.PickWord(kKaise2));
  EXPECT_EQ(pad.box_.View(), kKaise2 + u" " + kKaise2 + kKaise2 + u" " + kKaise + u"\n" + kKaise2);
  EXPECT_FALSE(pad.core_.PickWord(kKaise2));
  pad.Press(u' ', kVkSpace);
  // A digit past the candidates ends the word and is typed.
  pad.Type(u"ho7");
  EXPECT_EQ(pad.box_.View().substr(pad.box_.View().size() - 3), kHo + u"7");
}

TEST(TypingCoreRoman, AClickOrAnEditEndsTheCompositionLeavingTheLetters) {
  Pad pad;
  pad.Type(u"ab kaise");
  pad.core_.MouseUp();
  EXPECT_EQ(pad.core_.Composing().Length, 0);
  pad.Press(u' ', kVkSpace);
  EXPECT_EQ(pad.box_.View(), u"ab kaise ");
  // An edit the box does not report is found on the next key.
  pad.Type(u"ho");
  pad.box_.SetSelStart(0);
  pad.Type(u"ka ");
  EXPECT_EQ(pad.box_.View(), kKa + u" ab kaise ho");
  // One it reports ends the word at once.
  pad.box_.SetSelStart(static_cast<int>(pad.box_.View().size()));
  pad.Type(u"kaise");
  pad.box_.SetSelStart(1);
  pad.core_.BoxChanged();
  EXPECT_EQ(pad.core_.Composing().Length, 0);
  EXPECT_EQ(pad.box_.View(), kKa + u" ab kaise hokaise");
}

TEST(TypingCoreRoman, CommittedCandidatesAreLearnedAndLettersAreNot) {
  Pad pad;
  WordRanking ranking({}, {});
  pad.core_.SetRanking(&ranking, false);
  int learned = 0;
  pad.core_.OnLearned([&learned] { ++learned; });
  pad.Type(u"kaise ho hello");
  pad.Press(kCharEscape, 27);
  const std::vector<std::u16string>& recorded = ranking.History().Recorded();
  EXPECT_EQ(recorded, (std::vector<std::u16string>{kKaise, kHo}));
  EXPECT_EQ(learned, 2);
}

TEST(TypingCoreRoman, OtherLayoutsConversionOffAndTheKeyboard) {
  Pad pad;
  // Without a source the letters stay Latin.
  pad.core_.SetRomanSource({});
  pad.Type(u"kaise ");
  EXPECT_EQ(pad.box_.View(), u"kaise ");
  pad.core_.SetRomanSource([](std::u16string_view, std::u16string_view, int) {
    return std::vector<std::u16string>{u"\u0915"};
  });
  // The on-screen keyboard's letters compose as keys do.
  pad.core_.TypeText(u"k");
  EXPECT_EQ(pad.core_.Composing().Length, 1);
  // Leaving the layout writes the chosen word.
  pad.core_.SetLayout(MakeLayout(kPhoneticVimraLayout));
  EXPECT_FALSE(pad.core_.Roman());
  EXPECT_EQ(pad.box_.View(), u"kaise \u0915");
  pad.Type(u"k");
  EXPECT_EQ(pad.box_.View(), u"kaise \u0915\u0915");
  pad.core_.SetLayout(MakeLayout(kIntelligentRomanLayout));
  pad.Type(u"k");
  pad.core_.SetConversion(false);
  EXPECT_EQ(pad.core_.Composing().Length, 0);
  pad.Type(u"a ");
  EXPECT_EQ(pad.box_.View(), u"kaise \u0915\u0915ka ");
}

}  // namespace
}  // namespace lekhora
