// IBus key events as the session sees them: which keys are text, which are
// commands and which are modifiers alone.

#include <gtest/gtest.h>

#include "ibus/key_event.h"

namespace lekhora {
namespace {

TEST(IbusKeys, PrintableKeysAreCharacters) {
  const ImeKeyEvent a = ToImeKey(IBUS_KEY_A, IBUS_SHIFT_MASK);
  EXPECT_EQ(a.key, ImeKey::Character);
  EXPECT_EQ(a.unit, U'A');
  EXPECT_TRUE(a.shift);
  const ImeKeyEvent space = ToImeKey(IBUS_KEY_space, IBUS_SHIFT_MASK);
  EXPECT_EQ(space.key, ImeKey::Character);
  EXPECT_EQ(space.unit, U' ');
  EXPECT_EQ(ToImeKey(IBUS_KEY_KP_5, 0).unit, U'5');
  EXPECT_TRUE(ToImeKey(IBUS_KEY_k, IBUS_RELEASE_MASK).release);
}

TEST(IbusKeys, UnicodeKeyvalsKeepTheirWholeCodePoint) {
  // Keysyms 0x1000000 + code point, which X gives a character the keyboard
  // map does not hold (xdotool types them so).
  EXPECT_EQ(ToImeKey(0x101F600, 0).unit, U'\U0001F600');
  EXPECT_EQ(ToImeKey(0x101D400, 0).unit, U'\U0001D400');
  EXPECT_EQ(ToImeKey(0x1000915, 0).unit, U'\u0915');
  // Values that are no character reach the session as they are, which
  // hands them on to the application.
  for (guint keyval : {0x1110000u, 0x100D800u}) {
    const ImeKeyEvent e = ToImeKey(keyval, 0);
    EXPECT_EQ(e.key, ImeKey::Character);
    EXPECT_EQ(e.unit, keyval - 0x1000000u);
  }
}

TEST(IbusKeys, CommandsAndModifiers) {
  EXPECT_EQ(ToImeKey(IBUS_KEY_BackSpace, 0).key, ImeKey::BackSpace);
  EXPECT_EQ(ToImeKey(IBUS_KEY_KP_Enter, 0).key, ImeKey::Return);
  EXPECT_EQ(ToImeKey(IBUS_KEY_ISO_Left_Tab, IBUS_SHIFT_MASK).key, ImeKey::Tab);
  EXPECT_EQ(ToImeKey(IBUS_KEY_Right, IBUS_SHIFT_MASK).key, ImeKey::Right);
  EXPECT_EQ(ToImeKey(IBUS_KEY_F5, 0).key, ImeKey::Other);
  EXPECT_EQ(ToImeKey(IBUS_KEY_Page_Down, 0).key, ImeKey::PageDown);
  EXPECT_EQ(ToImeKey(IBUS_KEY_Shift_L, 0).key, ImeKey::Modifier);
  EXPECT_EQ(ToImeKey(IBUS_KEY_Caps_Lock, 0).key, ImeKey::Modifier);
  EXPECT_TRUE(ToImeKey(IBUS_KEY_c, IBUS_CONTROL_MASK).ctrl);
  EXPECT_TRUE(ToImeKey(IBUS_KEY_x, IBUS_MOD1_MASK).alt);
  EXPECT_TRUE(ToImeKey(IBUS_KEY_x, IBUS_SUPER_MASK).alt);
}

}  // namespace
}  // namespace lekhora
