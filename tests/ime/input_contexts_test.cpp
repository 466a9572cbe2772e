// Several input contexts served by one input method: a word typed in one
// never shows or goes in anywhere else.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/layout.h"
#include "ime/input_contexts.h"
#include "ime/input_session.h"

namespace lekhora {
namespace {

constexpr char16_t kKa = 0x0915, kKha = 0x0916, kMa = 0x092E, kESign = 0x0947, kRa = 0x0930,
                   kAaSign = 0x093E;
const std::u16string kMera{kMa, kESign, kRa, kAaSign};

std::unique_ptr<InputSession> NewSession() {
  return std::make_unique<InputSession>(MakeLayout(kPhoneticVimraLayout), nullptr);
}

std::u16string Type(InputContexts& c, std::string_view keys) {
  std::u16string commits;
  for (char k : keys) commits += c.Current().Key(CharacterKey(static_cast<char32_t>(k))).commit;
  return commits;
}

class Contexts : public ::testing::Test {
 protected:
  std::shared_ptr<InputContexts::Kept> kept = std::make_shared<InputContexts::Kept>();
  InputContexts contexts{NewSession, kept};
};

TEST_F(Contexts, AnApplicationThatCommitsAtFocusChangesGetsNoSecondCopy) {
  contexts.FocusIn("A", false);
  Type(contexts, "mera");
  const SessionActions out = contexts.FocusOut("A");
  EXPECT_EQ(out.commit, u"");
  EXPECT_EQ(out.preedit, u"");
  EXPECT_EQ(contexts.FocusIn("B", false).preedit, u"");
  EXPECT_EQ(Type(contexts, "kh "), (std::u16string{kKha, u' '}));
  contexts.FocusOut("B");
  // A's word was the application's: nothing of it comes back.
  EXPECT_EQ(contexts.FocusIn("A", false).preedit, u"");
  EXPECT_EQ(contexts.KeptCount(), 0u);
}

TEST_F(Contexts, AWordKeptForItsContextComesBackThereOnly) {
  contexts.FocusIn("A", true);
  Type(contexts, "mera");
  contexts.FocusOut("A");
  EXPECT_EQ(contexts.KeptCount(), 1u);
  // B starts afresh: "h" does not compose with anything of A's.
  EXPECT_EQ(contexts.FocusIn("B", true).preedit, u"");
  Type(contexts, "k");
  contexts.FocusOut("B");
  EXPECT_EQ(contexts.KeptCount(), 2u);
  const SessionActions back = contexts.FocusIn("A", true);
  EXPECT_EQ(back.preedit, kMera);
  EXPECT_EQ(back.commit, u"");
  EXPECT_EQ(Type(contexts, " "), kMera + u" ");
  contexts.FocusOut("A");
  EXPECT_EQ(contexts.FocusIn("B", true).preedit, std::u16string{kKa});
  EXPECT_EQ(Type(contexts, "h"), u"");
  EXPECT_EQ(contexts.Current().Preedit(), std::u16string{kKha});
}

TEST_F(Contexts, KeptWordsOutliveTheInputMethodObject) {
  {
    InputContexts first(NewSession, kept);
    first.FocusIn("A", true);
    Type(first, "mera");
    // Another input method takes the context over: as a focus change.
    first.FocusOut(first.CurrentId());
  }
  InputContexts second(NewSession, kept);
  EXPECT_EQ(second.FocusIn("A", true).preedit, kMera);
  EXPECT_EQ(second.KeptCount(), 0u);
}

TEST_F(Contexts, AFocusChangeNotReportedAsSuchStillSeparatesTheWords) {
  contexts.FocusIn("A", true);
  Type(contexts, "mera");
  // B gets the focus without A's focus-out first; A's later focus-out is stale.
  EXPECT_EQ(contexts.FocusIn("B", true).preedit, u"");
  contexts.FocusOut("A");
  EXPECT_EQ(Type(contexts, "k"), u"");
  EXPECT_EQ(contexts.Current().Preedit(), std::u16string{kKa});
  contexts.FocusOut("B");
  EXPECT_EQ(contexts.FocusIn("A", true).preedit, kMera);
}

TEST_F(Contexts, OnlySoManyWordsAreKept) {
  for (std::size_t i = 0; i <= InputContexts::kMaxKept; ++i) {
    contexts.FocusIn(std::to_string(i), true);
    Type(contexts, "k");
    contexts.FocusOut(std::to_string(i));
  }
  EXPECT_EQ(contexts.KeptCount(), InputContexts::kMaxKept);
  EXPECT_EQ(contexts.FocusIn("0", true).preedit, u"");  // the oldest went
  contexts.FocusOut("0");
  EXPECT_EQ(contexts.FocusIn("1", true).preedit, std::u16string{kKa});
}

}  // namespace
}  // namespace lekhora
