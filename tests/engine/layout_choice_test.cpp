// Layout and output-script choice: what becomes current, what is rebuilt and
// which captions the on-screen keyboard is handed.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/error.h"
#include "engine/layout_choice.h"
#include "engine/layout_tables.h"

namespace lekhora {
namespace {

class LayoutChoice : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCaptionSink({});
    LoadLayouts();
    SetCaptionSink([this](int code, const std::u16string& caption) {
      order.push_back(code);
      captions[code] = caption;
    });
  }
  void TearDown() override { SetCaptionSink({}); }

  std::vector<int> order;
  std::map<int, std::u16string> captions;
};

std::u16string Unit(char16_t c) {
  return std::u16string(1, c);
}

TEST_F(LayoutChoice, StartUpPaintsTheVimraTable) {
  SetCaptionSink([this](int code, const std::u16string& caption) {
    order.push_back(code);
    captions[code] = caption;
  });
  LoadLayouts();
  EXPECT_EQ(CurrentLayout, kPhoneticVimraLayout);
  ASSERT_EQ(order.size(), 96u);
  EXPECT_EQ(order.front(), 32);
  EXPECT_EQ(order.back(), 127);
  EXPECT_EQ(captions['k'], Unit(0x0915));
  EXPECT_EQ(captions['H'], Unit(0x094D));
}

TEST_F(LayoutChoice, EachLayoutPaintsFromItsOwnTable) {
  SetLayout(kRemingtonLayout);
  EXPECT_EQ(captions[127], Unit(0x0918));
  EXPECT_EQ(captions['J'], (std::u16string{0x0936, 0x094D, 0x0930}));
  SetLayout(kInscriptLayout);
  EXPECT_EQ(CurrentLayout, kInscriptLayout);
  EXPECT_EQ(captions['h'], Unit(0x092A));
  EXPECT_EQ(InscriptTable['h'], Unit(0x092A));
  EXPECT_EQ(order.size(), 2 * 96u);
}

TEST_F(LayoutChoice, AnUnknownNameIsStoredButRepaintsNothing) {
  SetLayout(u"phonetic");
  EXPECT_EQ(CurrentLayout, u"phonetic");
  EXPECT_TRUE(order.empty());
}

TEST_F(LayoutChoice, ScriptChoiceMakesPhoneticCurrentAndPaintsFromOne) {
  EXPECT_TRUE(ChooseOutputScript(u"Gujarati"));
  EXPECT_EQ(CurrentLayout, kPhoneticLayout);
  EXPECT_EQ(PhoneticTable['k'], Unit(0x0A95));
  EXPECT_EQ(captions['k'], Unit(0x0A95));
  ASSERT_EQ(order.size(), 127u);
  EXPECT_EQ(order.front(), 1);
  EXPECT_EQ(order.back(), 127);
  // Already current: the table is rebuilt, the layout was not changed.
  EXPECT_FALSE(ChooseOutputScript(u"Tamil"));
  EXPECT_EQ(captions['k'], Unit(0x0B95));
}

TEST_F(LayoutChoice, ChoosingPhoneticAgainDropsTheScript) {
  ChooseOutputScript(u"Bangla");
  SetLayout(kPhoneticLayout);
  EXPECT_EQ(PhoneticTable['k'], Unit(0x0915));
  EXPECT_EQ(captions['k'], Unit(0x0915));
}

TEST_F(LayoutChoice, RomanizedGivesTheBengaliLetters) {
  ChooseOutputScript(u"Romanized");
  EXPECT_EQ(PhoneticTable['k'], Unit(0x0995));
}

TEST_F(LayoutChoice, AnUnknownScriptChangesNothing) {
  SetLayout(kInscriptLayout);
  order.clear();
  const LayoutTable before = PhoneticTable;
  for (std::u16string_view item : {u"bangla", u"", u"Bangla "}) {
    EXPECT_FALSE(ChooseOutputScript(item));
  }
  EXPECT_EQ(CurrentLayout, kInscriptLayout);
  EXPECT_TRUE(order.empty());
  EXPECT_EQ(PhoneticTable, before);
}

TEST_F(LayoutChoice, KeysWithoutALabelAreSkipped) {
  // The keyboard has no label for the space bar or 127.
  SetCaptionSink([this](int code, const std::u16string& caption) {
    if (code == 32 || code == 127) throw SubscriptError();
    captions[code] = caption;
  });
  SetLayout(kRemingtonLayout);
  EXPECT_EQ(captions.count(32), 0u);
  EXPECT_EQ(captions['!'], u"");
  EXPECT_EQ(captions['~'], Unit(0x0918));
}

}  // namespace
}  // namespace lekhora
