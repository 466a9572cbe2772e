// The typist model: the fewest keys it finds for a word, and the keys it
// counts when the candidates save some.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/key_replay.h"
#include "engine/layout.h"
#include "engine/memory_text_box.h"
#include "engine/typing_engine.h"
#include "ime/shared_words.h"
#include "tools/typist/key_finder.h"
#include "tools/typist/typist.h"

namespace lekhora::typist {
namespace {

std::u16string Typed(const std::shared_ptr<const Layout>& layout, std::u16string_view keys) {
  MemoryTextBox box;
  NoSuggestions none;
  TypingEngine engine(box, none, layout);
  for (char16_t key : keys) TypeKey(engine, box, key);
  return box.View();
}

TEST(KeyFinder, FindsTheFewestKeysThatTypeTheWordInEachLayout) {
  struct Case {
    std::u16string_view layout;
    std::u16string_view word;
    std::size_t keys;
  };
  const Case cases[] = {
      // Shift gives the aspirates and some vowel signs one key of their own.
      {kPhoneticVimraLayout, u"\u0916\u093E\u0928\u093E", 4},  // K a n a, not k h a n a
      {kPhoneticVimraLayout, u"\u0915\u0948", 2},              // k E (not k a i)
      {kPhoneticVimraLayout, u"\u092D\u093E\u0930\u0924", 4},  // B a r t
      {kPhoneticVimraLayout, u"\u0915\u092E\u0932", 3},        // k m l
      {kInscriptLayout, u"\u0915", 1},
      {kInscriptLayout, u"\u0915\u093E", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "case " << (&c - cases));
    const auto layout = MakeLayout(c.layout);
    const std::optional<KeyPath> path = FewestKeys(layout, c.word);
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(path->keys.size(), c.keys);
    // The keys type the word in a fresh engine, and every step on the way
    // reads as the start of it.
    EXPECT_EQ(Typed(layout, path->keys), c.word);
    ASSERT_EQ(path->outputs.size(), path->keys.size());
    EXPECT_EQ(path->outputs.back(), c.word);
    for (std::size_t i = 0; i < path->keys.size(); ++i) {
      EXPECT_EQ(Typed(layout, path->keys.substr(0, i + 1)), path->outputs[i]);
      EXPECT_EQ(c.word.substr(0, path->outputs[i].size()), path->outputs[i]);
    }
  }
}

TEST(KeyFinder, NothingForWhatTheLayoutCannotType) {
  const auto vimra = MakeLayout(kPhoneticVimraLayout);
  EXPECT_FALSE(FewestKeys(vimra, u"").has_value());
  EXPECT_FALSE(FewestKeys(vimra, u"abc").has_value());
  EXPECT_FALSE(FewestKeys(vimra, u"\u0A15").has_value());  // Gurmukhi
  EXPECT_FALSE(FewestKeys(MakeEmptyLayout(u"None"), u"\u0915").has_value());
}

TEST(TypistWords, DevanagariRunsBetweenEverythingElse) {
  // The comma, Latin, the danda, Devanagari digits and a joiner before a word.
  const std::vector<std::u16string> words{u"\u092E\u0947\u0930\u093E", u"\u0928\u093E\u092E",
                                          u"\u0930\u093E\u092E", u"\u0915\u094D\u200D\u0937",
                                          u"\u0918\u0930"};
  EXPECT_EQ(DevanagariWords(u"\u092E\u0947\u0930\u093E \u0928\u093E\u092E, abc "
                            u"\u0930\u093E\u092E\u0964\u0967\u0968 \u200D\u0915\u094D\u200D\u0937 "
                            u"\u0918\u0930"),
            words);
  EXPECT_TRUE(DevanagariWords(u"abc \u0964 \u0966").empty());
}

// Three words under the prefix "क", in the list's order कमरा, कमल, कलमदान;
// each is shown after its first key.
struct TinyText : ::testing::Test {
  const std::u16string kamra = u"\u0915\u092E\u0930\u093E";
  const std::u16string kamal = u"\u0915\u092E\u0932";
  const std::u16string kalamdaan = u"\u0915\u0932\u092E\u0926\u093E\u0928";
  std::shared_ptr<const Layout> layout = MakeLayout(kPhoneticVimraLayout);

  Figures Type(int visible) {
    TypistOptions options;
    options.visible = visible;
    // The list's order, which the figures below count with.
    options.ranked = false;
    const auto session =
        MakeTypistSession(layout, MakeSharedWords({kamal, kamra, kalamdaan}), options);
    KeyFinder finder(layout);
    Figures figures;
    for (const std::u16string& word : DevanagariWords(kalamdaan + u" " + kamra + u", " + kamal)) {
      const KeyPath& path = *finder.Find(word);
      figures.Add(path, TypeWord(*session, path, word, visible));
    }
    return figures;
  }
};

TEST_F(TinyText, CountsTheMovesTheAcceptAndTheBreak) {
  const Figures f = Type(kCandidatePage);
  EXPECT_EQ(f.words, 3);
  EXPECT_EQ(f.miscommitted, 0);
  // Typed whole: k l m d a n, k m r a, k m l, and a break after each.
  EXPECT_EQ(f.keysWithout, 7 + 5 + 4);
  // कलमदान: k, two moves, Shift+Space, the space. कमरा: k, Shift+Space, the
  // comma. कमल: shown second after k and after k m, where moving and
  // accepting saves nothing, so typed whole.
  EXPECT_EQ(f.keysWith, 5 + 3 + 4);
  EXPECT_NEAR(f.Savings(), 25.0, 1e-9);
  EXPECT_EQ(f.accepted, 2);
  EXPECT_EQ(f.first, 1);
  EXPECT_EQ(f.top5, 2);
  EXPECT_NEAR(f.PerWord(f.keysWith), 4.0, 1e-9);
}

TEST_F(TinyText, LooksOnlyAtTheCandidatesInView) {
  const Figures f = Type(1);
  EXPECT_EQ(f.miscommitted, 0);
  // कलमदान is first only after k l.
  EXPECT_EQ(f.keysWith, 4 + 3 + 4);
  EXPECT_EQ(f.accepted, 2);
  EXPECT_EQ(f.first, 2);
}

TEST(TypistFigures, KeysOfAWordTypedWholeOrAccepted) {
  EXPECT_EQ(KeysWithout(KeyPath{u"abcd", {}}), 5);
  EXPECT_EQ(KeysWith({4, 0, -1, true, {}}), 5);
  // Two keys typed, three moves, the accept and the break.
  EXPECT_EQ(KeysWith({2, 3, 3, true, {}}), 7);
  Figures none;
  EXPECT_EQ(none.Savings(), 0.0);
  EXPECT_EQ(none.PerWord(0), 0.0);
}

}  // namespace
}  // namespace lekhora::typist
