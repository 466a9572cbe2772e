// The pad's layout and output-script choice: what becomes current and which
// captions the on-screen keyboard reads again from it.

#include <gtest/gtest.h>

#include <string>

#include "engine/layout_choice.h"

namespace lekhora {
namespace {

std::u16string Unit(char16_t c) {
  return std::u16string(1, c);
}

std::u16string Caption(const LayoutChoice& choice, int code) {
  return std::u16string(choice.CurrentLayout().Caption(code));
}

TEST(LayoutChoice, StartsWithTheVimraLayout) {
  const LayoutChoice choice;
  EXPECT_EQ(choice.CurrentLayout().Name(), kPhoneticVimraLayout);
  EXPECT_EQ(Caption(choice, 'k'), Unit(0x0915));
  EXPECT_EQ(Caption(choice, 'H'), Unit(0x094D));
}

TEST(LayoutChoice, EachLayoutRepaintsFromItsOwnTable) {
  LayoutChoice choice;
  const CaptionRange range = choice.SetLayout(kRemingtonLayout);
  EXPECT_EQ(range.first, 32);
  EXPECT_EQ(range.last, 127);
  EXPECT_EQ(Caption(choice, 127), Unit(0x0918));
  EXPECT_EQ(Caption(choice, 'J'), (std::u16string{0x0936, 0x094D, 0x0930}));
  choice.SetLayout(kInscriptLayout);
  EXPECT_EQ(choice.CurrentLayout().Name(), kInscriptLayout);
  EXPECT_EQ(Caption(choice, 'h'), Unit(0x092A));
}

TEST(LayoutChoice, AnUnknownNameIsStoredButRepaintsNothingAndTypesNothing) {
  LayoutChoice choice;
  EXPECT_TRUE(choice.SetLayout(u"phonetic").empty());
  EXPECT_EQ(choice.CurrentLayout().Name(), u"phonetic");
  EXPECT_TRUE(choice.CurrentLayout().Compose(u'k', {}).text.empty());
}

TEST(LayoutChoice, ScriptChoiceMakesPhoneticCurrentAndRepaintsFromOne) {
  LayoutChoice choice;
  LayoutChoice::ScriptChoice script = choice.ChooseOutputScript(u"Gujarati");
  EXPECT_TRUE(script.madeCurrent);
  EXPECT_EQ(choice.CurrentLayout().Name(), kPhoneticLayout);
  EXPECT_EQ(Caption(choice, 'k'), Unit(0x0A95));
  EXPECT_EQ(script.captions.first, 1);
  EXPECT_EQ(script.captions.last, 127);
  // Already current: the layout is rebuilt, the choice of layout not changed.
  script = choice.ChooseOutputScript(u"Tamil");
  EXPECT_FALSE(script.madeCurrent);
  EXPECT_FALSE(script.captions.empty());
  EXPECT_EQ(Caption(choice, 'k'), Unit(0x0B95));
}

TEST(LayoutChoice, ChoosingPhoneticAgainDropsTheScript) {
  LayoutChoice choice;
  choice.ChooseOutputScript(u"Bangla");
  choice.SetLayout(kPhoneticLayout);
  EXPECT_EQ(Caption(choice, 'k'), Unit(0x0915));
}

TEST(LayoutChoice, RomanizedGivesTheBengaliLetters) {
  LayoutChoice choice;
  choice.ChooseOutputScript(u"Romanized");
  EXPECT_EQ(Caption(choice, 'k'), Unit(0x0995));
}

TEST(LayoutChoice, AnUnknownScriptChangesNothing) {
  LayoutChoice choice;
  choice.SetLayout(kInscriptLayout);
  const Layout* before = &choice.CurrentLayout();
  for (std::u16string_view item : {u"bangla", u"", u"Bangla "}) {
    const LayoutChoice::ScriptChoice script = choice.ChooseOutputScript(item);
    EXPECT_FALSE(script.madeCurrent);
    EXPECT_TRUE(script.captions.empty());
  }
  EXPECT_EQ(&choice.CurrentLayout(), before);
}

TEST(LayoutChoice, AChosenLayoutStaysWithWhoeverHoldsIt) {
  // A layout handed out before a new choice keeps typing as it did.
  LayoutChoice choice;
  const std::shared_ptr<const Layout> held = choice.Current();
  choice.ChooseOutputScript(u"Bangla");
  EXPECT_EQ(held->Caption('k'), Unit(0x0915));
  EXPECT_EQ(Caption(choice, 'k'), Unit(0x0995));
}

}  // namespace
}  // namespace lekhora
