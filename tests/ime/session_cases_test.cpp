// Key sequences through one or two sessions, with the preedit, the commits and
// the candidates checked after the keys that change them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/layout_choice.h"
#include "ime/input_session.h"
#include "ime/shared_words.h"

namespace lekhora {
namespace {

constexpr char16_t kKa = 0x0915, kKha = 0x0916, kAiSign = 0x0948, kIi = 0x0908, kMa = 0x092E,
                   kESign = 0x0947, kRa = 0x0930, kISign = 0x093F, kAaSign = 0x093E;

std::u16string U(std::initializer_list<char16_t> units) {
  return std::u16string(units);
}

struct Typed {
  std::u16string commits;
  SessionActions last;
};

// Types ASCII keys; "\b" is Backspace.
Typed TypeAll(InputSession& s, std::string_view keys) {
  Typed t;
  for (char k : keys) {
    t.last = k == '\b' ? s.Key(NamedKey(ImeKey::BackSpace))
                       : s.Key(CharacterKey(static_cast<char32_t>(k)));
    EXPECT_TRUE(t.last.consumed) << "key " << k;
    t.commits += t.last.commit;
  }
  return t;
}

std::shared_ptr<const Layout> Vimra() {
  return MakeLayout(kPhoneticVimraLayout);
}

TEST(InputSession, WordBreakCommitsWordAndSpaceTogether) {
  InputSession s(Vimra(), nullptr);
  const Typed a = TypeAll(s, "kh");
  EXPECT_EQ(a.commits, u"");
  EXPECT_EQ(a.last.preedit, U({kKha}));
  EXPECT_EQ(a.last.caret, 1);
  const SessionActions space = s.Key(CharacterKey(U' '));
  EXPECT_EQ(space.commit, U({kKha, u' '}));
  EXPECT_EQ(space.preedit, u"");
  const Typed b = TypeAll(s, "kai Aii ");
  EXPECT_EQ(b.commits, U({kKa, kAiSign, u' ', kIi, u' '}));
}

TEST(InputSession, CommandKeysCommitThenPass) {
  for (ImeKey key : {ImeKey::Return, ImeKey::Tab, ImeKey::Escape, ImeKey::Left, ImeKey::Home,
                     ImeKey::End, ImeKey::Delete, ImeKey::Up}) {
    InputSession s(Vimra(), nullptr);
    TypeAll(s, "k");
    const SessionActions a = s.Key(NamedKey(key));
    EXPECT_EQ(a.commit, U({kKa}));
    EXPECT_FALSE(a.consumed);
    EXPECT_EQ(a.preedit, u"");
  }
  InputSession s(Vimra(), nullptr);
  TypeAll(s, "k");
  ImeKeyEvent ctrlC = CharacterKey(U'c');
  ctrlC.ctrl = true;
  const SessionActions a = s.Key(ctrlC);
  EXPECT_EQ(a.commit, U({kKa}));
  EXPECT_FALSE(a.consumed);
  // Modifiers alone and releases change nothing.
  TypeAll(s, "k");
  EXPECT_FALSE(s.Key(NamedKey(ImeKey::Modifier)).consumed);
  ImeKeyEvent release = CharacterKey(U'k');
  release.release = true;
  EXPECT_FALSE(s.Key(release).consumed);
  EXPECT_EQ(s.Preedit(), U({kKa}));
}

TEST(InputSession, FocusOutResetAndSwitchLeaveTheWordToTheApplication) {
  // The application commits the preedit it shows; a commit from the session
  // as well would put the word in twice, or into the next context.
  InputSession s(Vimra(), nullptr);
  EXPECT_EQ(TypeAll(s, "ka").last.preedit, U({kKa, kAaSign}));
  const SessionActions out = s.FocusOut();
  EXPECT_EQ(out.commit, u"");
  EXPECT_EQ(out.preedit, u"");
  EXPECT_TRUE(out.candidates.empty());
  // The word ended: "h" after a forgotten "k" does not compose with it.
  TypeAll(s, "k");
  EXPECT_EQ(s.Reset().commit, u"");
  EXPECT_EQ(TypeAll(s, "h").last.preedit, U({0x0939}));
  EXPECT_EQ(s.FocusOut().preedit, u"");
  EXPECT_EQ(s.FocusOut().commit, u"");
  // A change the user makes in the same context commits from here.
  TypeAll(s, "k");
  EXPECT_EQ(s.CommitNow().commit, U({kKa}));
  EXPECT_EQ(s.Preedit(), u"");
}

TEST(InputSession, PlainTypingShowsAndKeepsNothing) {
  InputSession s(Vimra(), MakeSharedWords({U({kMa, kESign, kRa, kAaSign})}));
  TypeAll(s, "me");
  // The word being typed goes in before the field turns secret.
  EXPECT_EQ(s.SetPlainTyping(true).commit, U({kMa, kESign}));
  EXPECT_TRUE(s.PlainTyping());
  for (char k : std::string("mer2 ")) {
    const SessionActions a = s.Key(CharacterKey(static_cast<char32_t>(k)));
    EXPECT_FALSE(a.consumed) << k;
    EXPECT_EQ(a.commit, u"");
    EXPECT_EQ(a.preedit, u"");
    EXPECT_TRUE(a.candidates.empty());
  }
  EXPECT_FALSE(s.Key(NamedKey(ImeKey::BackSpace)).consumed);
  EXPECT_EQ(s.Preedit(), u"");
  EXPECT_FALSE(s.ClickCandidate(0).commit.size());
  // Back in a normal field the keys compose again, from a fresh word.
  EXPECT_EQ(s.SetPlainTyping(false).commit, u"");
  const Typed t = TypeAll(s, "mer");
  EXPECT_EQ(t.last.preedit, U({kMa, kESign, kRa}));
  EXPECT_FALSE(t.last.candidates.empty());
}

TEST(InputSession, CharactersOutsideTheBmpPassWholeAndNonCharactersPassThrough) {
  InputSession s(Vimra(), nullptr);
  TypeAll(s, "ka");
  const SessionActions emoji = s.Key(CharacterKey(U'\U0001F600'));
  EXPECT_TRUE(emoji.consumed);
  EXPECT_EQ(emoji.preedit, (U({kKa, kAaSign, 0xD83D, 0xDE00})));
  EXPECT_EQ(emoji.caret, 4);
  EXPECT_EQ(s.Key(CharacterKey(U' ')).commit, (U({kKa, kAaSign, 0xD83D, 0xDE00, u' '})));
  EXPECT_EQ(s.Key(CharacterKey(U'\U0001D400')).preedit, (U({0xD835, 0xDC00})));
  EXPECT_EQ(s.Key(CharacterKey(U'\U0010FFFD')).preedit, (U({0xD835, 0xDC00, 0xDBFF, 0xDFFD})));
  s.CommitNow();
  // Code points that are not characters: the session commits its word and
  // hands the key on untouched.
  for (char32_t bad :
       {char32_t{0x110000}, char32_t{0xD800}, char32_t{0xDFFF}, char32_t{0x7FFFFFFF}}) {
    TypeAll(s, "k");
    const SessionActions a = s.Key(CharacterKey(bad));
    EXPECT_FALSE(a.consumed) << std::hex << static_cast<unsigned>(bad);
    EXPECT_EQ(a.commit, U({kKa}));
    EXPECT_EQ(a.preedit, u"");
  }
}

TEST(InputSession, BackspaceEditsThePreeditAtEveryLength) {
  // "mera": after n Backspaces the preedit is the first 3-n letters; with
  // nothing left Backspace goes to the application.
  const std::u16string full = U({kMa, kESign, kRa, kAaSign});
  for (std::size_t n = 0; n <= full.size() + 1; ++n) {
    InputSession s(Vimra(), nullptr);
    TypeAll(s, "mera");
    SessionActions last;
    for (std::size_t i = 0; i < n; ++i) last = s.Key(NamedKey(ImeKey::BackSpace));
    EXPECT_EQ(s.Preedit(), full.substr(0, full.size() - std::min(n, full.size()))) << n;
    if (n > full.size()) {
      EXPECT_FALSE(last.consumed);
    } else if (n >= 1) {
      EXPECT_TRUE(last.consumed);
    }
  }
  InputSession s(Vimra(), nullptr);
  EXPECT_EQ(TypeAll(s, "mera\bi ").commits, U({kMa, kESign, kRa, kISign, u' '}));
}

class Suggesting : public ::testing::Test {
 protected:
  // ka, kaa... three words sharing the prefix "ka" and one that does not.
  std::u16string w1 = U({kKa, kAaSign, kMa}), w2 = U({kKa, kAaSign, kRa}), w3 = U({kKa, kISign}),
                 other = U({kMa, kESign});
  std::shared_ptr<const SharedWords> words = MakeSharedWords({w3, other, w2, w1});
};

TEST_F(Suggesting, CandidatesFollowThePrefix) {
  InputSession s(Vimra(), words);
  const SessionActions a = TypeAll(s, "ka").last;
  ASSERT_GE(a.candidates.size(), 2u);
  EXPECT_EQ(a.candidates[0], w1);
  EXPECT_EQ(a.candidates[1], w2);
  EXPECT_EQ(a.highlight, 0);
  EXPECT_TRUE(TypeAll(s, "z").last.candidates.empty());
  s.SetSuggestionsOn(false);
  s.CommitNow();
  EXPECT_TRUE(TypeAll(s, "ka").last.candidates.empty());
}

TEST_F(Suggesting, ShiftSpaceAndShiftRightCommitTheHighlight) {
  InputSession s(Vimra(), words);
  TypeAll(s, "ka");
  const SessionActions down = s.Key(NamedKey(ImeKey::Down, true));
  EXPECT_TRUE(down.consumed);
  EXPECT_EQ(down.highlight, 1);
  EXPECT_EQ(down.preedit, U({kKa, kAaSign}));
  const SessionActions up = s.Key(NamedKey(ImeKey::Up, true));
  EXPECT_EQ(up.highlight, 0);
  s.Key(NamedKey(ImeKey::Down, true));
  const SessionActions accept = s.Key(CharacterKey(U' ', true));
  EXPECT_EQ(accept.commit, w2);  // the typed space goes with the prefix, as in the pad
  EXPECT_EQ(accept.preedit, u"");
  EXPECT_TRUE(accept.candidates.empty());

  TypeAll(s, "ka");
  const SessionActions right = s.Key(NamedKey(ImeKey::Right, true));
  EXPECT_TRUE(right.consumed);
  EXPECT_EQ(right.commit, w1);
}

TEST_F(Suggesting, ClickCommitsThatCandidate) {
  InputSession s(Vimra(), words);
  TypeAll(s, "ka");
  const SessionActions click = s.ClickCandidate(1);
  EXPECT_EQ(click.commit, w2);
  EXPECT_EQ(s.ClickCandidate(0).commit, u"");  // nothing shown any more
  // Without a suggestion, Shift+Space is an ordinary space.
  EXPECT_EQ(TypeAll(s, "z").last.candidates.size(), 0u);
  EXPECT_EQ(s.Key(CharacterKey(U' ', true)).commit, U({0x095B, u' '}));
}

TEST_F(Suggesting, DigitsPickTheNumberedCandidates) {
  InputSession s(Vimra(), words);
  ASSERT_EQ(TypeAll(s, "ka").last.candidates.size(), 2u);
  const SessionActions two = s.Key(CharacterKey(U'2'));
  EXPECT_TRUE(two.consumed);
  EXPECT_EQ(two.commit, w2);
  EXPECT_EQ(two.preedit, u"");
  EXPECT_TRUE(two.candidates.empty());
  // Past the candidates shown, and with none shown, a digit is typed.
  TypeAll(s, "ka");
  EXPECT_EQ(s.Key(CharacterKey(U'3')).preedit, U({kKa, kAaSign, 0x0969}));
  s.CommitNow();
  EXPECT_EQ(s.Key(CharacterKey(U'1')).preedit, U({0x0967}));
  EXPECT_EQ(TypeAll(s, " z").last.candidates.size(), 0u);
  EXPECT_EQ(s.Key(CharacterKey(U'1')).preedit, U({0x095B, 0x0967}));
  // With the suggestions off there are no numbers to pick.
  s.CommitNow();
  s.SetSuggestionsOn(false);
  TypeAll(s, "ka");
  EXPECT_EQ(s.Key(CharacterKey(U'1')).preedit, U({kKa, kAaSign, 0x0967}));
}

TEST(InputSession, SessionsKeepTheirOwnLayouts) {
  LayoutChoice pad;
  pad.SetLayout(kRemingtonLayout);  // the pad's choice must not leak into sessions
  InputSession vimra(Vimra(), nullptr);
  InputSession inscript(MakeLayout(kInscriptLayout), nullptr);
  InputSession bangla(MakeLayout(kPhoneticLayout, u"Bangla"), nullptr);
  std::u16string a, b, c;
  for (char k : std::string("kh ")) {
    a += vimra.Key(CharacterKey(static_cast<char32_t>(k))).commit;
    b += inscript.Key(CharacterKey(static_cast<char32_t>(k))).commit;
    c += bangla.Key(CharacterKey(static_cast<char32_t>(k))).commit;
  }
  EXPECT_EQ(a, U({kKha, u' '}));
  EXPECT_EQ(b, U({0x0915 - 0x0915 + 0x0901 + 20, 0x0901 + 41, u' '}));
  EXPECT_EQ(c, U({0x0981 + 20, 0x0981 + 56, u' '}));
  EXPECT_EQ(pad.CurrentLayout().Name(), kRemingtonLayout);
  // Switching a session's layout commits its word first.
  vimra.Key(CharacterKey(U'k'));
  EXPECT_EQ(vimra.SetLayout(MakeLayout(kRemingtonLayout)).commit, U({kKa}));
  EXPECT_EQ(vimra.Key(CharacterKey(U'k')).preedit, U({0x093E}));
}

TEST(InputSession, UnknownLayoutOrScriptHasNoContext) {
  EXPECT_EQ(MakeLayout(u"Dvorak"), nullptr);
  EXPECT_EQ(MakeLayout(kPhoneticLayout, u"Klingon"), nullptr);
}

}  // namespace
}  // namespace lekhora
