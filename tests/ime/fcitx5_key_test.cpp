// fcitx5 key events as the session sees them: the same keys as under IBus,
// with fcitx5's own modifier states.

#include <gtest/gtest.h>

#include "fcitx5/key_event.h"

namespace lekhora {
namespace {

TEST(Fcitx5Keys, TextKeysCarryWhatTheyType) {
  const ImeKeyEvent a = ToImeKey(fcitx::Key("Shift+A"), false);
  EXPECT_EQ(a.key, ImeKey::Character);
  EXPECT_EQ(a.unit, U'A');
  EXPECT_TRUE(a.shift);
  const ImeKeyEvent space = ToImeKey(fcitx::Key("Shift+space"), false);
  EXPECT_EQ(space.key, ImeKey::Character);
  EXPECT_EQ(space.unit, U' ');
  EXPECT_TRUE(space.shift);
  EXPECT_EQ(ToImeKey(fcitx::Key("KP_5"), false).unit, U'5');
  EXPECT_TRUE(ToImeKey(fcitx::Key("k"), true).release);
  // A character the keyboard map lacks comes as 0x1000000 + its code point.
  EXPECT_EQ(ToImeKey(fcitx::Key(static_cast<fcitx::KeySym>(0x101F600)), false).unit, U'\U0001F600');
}

TEST(Fcitx5Keys, CommandsAndModifiers) {
  EXPECT_EQ(ToImeKey(fcitx::Key("BackSpace"), false).key, ImeKey::BackSpace);
  EXPECT_EQ(ToImeKey(fcitx::Key("KP_Enter"), false).key, ImeKey::Return);
  EXPECT_EQ(ToImeKey(fcitx::Key("Shift+ISO_Left_Tab"), false).key, ImeKey::Tab);
  EXPECT_EQ(ToImeKey(fcitx::Key("Page_Down"), false).key, ImeKey::PageDown);
  EXPECT_EQ(ToImeKey(fcitx::Key("F5"), false).key, ImeKey::Other);
  EXPECT_EQ(ToImeKey(fcitx::Key("Shift_L"), false).key, ImeKey::Modifier);
  EXPECT_EQ(ToImeKey(fcitx::Key("Caps_Lock"), false).key, ImeKey::Modifier);
  EXPECT_TRUE(ToImeKey(fcitx::Key("Control+c"), false).ctrl);
  // Every modifier that makes a command keeps the key from being typed.
  for (const char* name : {"Alt+x", "Super+x", "Hyper+x"}) {
    const ImeKeyEvent e = ToImeKey(fcitx::Key(name), false);
    EXPECT_TRUE(e.alt) << name;
    EXPECT_FALSE(e.ctrl || e.shift) << name;
  }
}

}  // namespace
}  // namespace lekhora
