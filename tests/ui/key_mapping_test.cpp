// Qt keys to the virtual key codes and character codes the key handlers use.

#include <QTest>

#include "ui/typing/key_mapping.h"

using lekhora::KeyAsciiCode;
using lekhora::ShiftMask;
using lekhora::VirtualKeyCode;

class KeyMappingTest : public QObject {
  Q_OBJECT

 private slots:
  void virtualKeyCodes_data();
  void virtualKeyCodes();
  void shiftMask();
  void keyAscii_data();
  void keyAscii();
};

void KeyMappingTest::virtualKeyCodes_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<int>("code");
  const int none = Qt::NoModifier;
  const int shift = Qt::ShiftModifier;
  const int pad = Qt::KeypadModifier;
  struct Row {
    const char* name;
    int key;
    int modifiers;
    int code;
  };
  const Row rows[] = {
      {"backspace", Qt::Key_Backspace, none, 8},
      {"tab", Qt::Key_Tab, none, 9},
      {"shift+tab", Qt::Key_Backtab, shift, 9},
      {"return", Qt::Key_Return, none, 13},
      {"enter", Qt::Key_Enter, pad, 13},
      {"shift", Qt::Key_Shift, shift, 16},
      {"control", Qt::Key_Control, none, 17},
      {"alt", Qt::Key_Alt, none, 18},
      {"pause", Qt::Key_Pause, none, 19},
      {"caps lock", Qt::Key_CapsLock, none, 20},
      {"escape", Qt::Key_Escape, none, 27},
      {"space", Qt::Key_Space, shift, 32},
      {"page up", Qt::Key_PageUp, none, 33},
      {"page down", Qt::Key_PageDown, none, 34},
      {"end", Qt::Key_End, none, 35},
      {"home", Qt::Key_Home, none, 36},
      {"left", Qt::Key_Left, none, 37},
      {"up", Qt::Key_Up, shift, 38},
      {"right", Qt::Key_Right, shift, 39},
      {"down", Qt::Key_Down, shift, 40},
      {"insert", Qt::Key_Insert, none, 45},
      {"delete", Qt::Key_Delete, none, 46},
      {"digit 0", Qt::Key_0, none, 48},
      {"digit 9", Qt::Key_9, none, 57},
      {"letter A", Qt::Key_A, none, 65},
      {"letter Z", Qt::Key_Z, shift, 90},
      {"F1", Qt::Key_F1, none, 112},
      {"F12", Qt::Key_F12, none, 123},
      {"numpad 0", Qt::Key_0, pad, 96},
      {"numpad 9", Qt::Key_9, pad, 105},
      {"numpad *", Qt::Key_Asterisk, pad, 106},
      {"numpad +", Qt::Key_Plus, pad, 107},
      {"numpad -", Qt::Key_Minus, pad, 109},
      {"numpad .", Qt::Key_Period, pad, 110},
      {"numpad /", Qt::Key_Slash, pad, 111},
      // A shifted symbol is the key it is typed on.
      {"!", Qt::Key_Exclam, shift, '1'},
      {"@", Qt::Key_At, shift, '2'},
      {")", Qt::Key_ParenRight, shift, '0'},
      {"*", Qt::Key_Asterisk, shift, '8'},
      {";", Qt::Key_Semicolon, none, 186},
      {":", Qt::Key_Colon, shift, 186},
      {"=", Qt::Key_Equal, none, 187},
      {"+", Qt::Key_Plus, shift, 187},
      {",", Qt::Key_Comma, none, 188},
      {"<", Qt::Key_Less, shift, 188},
      {"-", Qt::Key_Minus, none, 189},
      {"_", Qt::Key_Underscore, shift, 189},
      {".", Qt::Key_Period, none, 190},
      {"?", Qt::Key_Question, shift, 191},
      {"`", Qt::Key_QuoteLeft, none, 192},
      {"~", Qt::Key_AsciiTilde, shift, 192},
      {"[", Qt::Key_BracketLeft, none, 219},
      {"|", Qt::Key_Bar, shift, 220},
      {"}", Qt::Key_BraceRight, shift, 221},
      {"'", Qt::Key_Apostrophe, none, 222},
      {"\"", Qt::Key_QuoteDbl, shift, 222},
      {"unknown", Qt::Key_VolumeUp, none, 0},
  };
  for (const Row& row : rows) QTest::newRow(row.name) << row.key << row.modifiers << row.code;
}

void KeyMappingTest::virtualKeyCodes() {
  QFETCH(int, key);
  QFETCH(int, modifiers);
  QFETCH(int, code);
  QCOMPARE(int(VirtualKeyCode(key, Qt::KeyboardModifiers(modifiers))), code);
}

void KeyMappingTest::shiftMask() {
  QCOMPARE(int(ShiftMask(Qt::NoModifier)), 0);
  QCOMPARE(int(ShiftMask(Qt::ShiftModifier)), 1);
  QCOMPARE(int(ShiftMask(Qt::ControlModifier)), 2);
  QCOMPARE(int(ShiftMask(Qt::AltModifier)), 4);
  QCOMPARE(int(ShiftMask(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)), 7);
  // The keypad and meta keys are no part of the mask.
  QCOMPARE(int(ShiftMask(Qt::ShiftModifier | Qt::KeypadModifier | Qt::MetaModifier)), 1);
}

void KeyMappingTest::keyAscii_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("code");
  const int none = Qt::NoModifier;
  const int ctrl = Qt::ControlModifier;
  QTest::newRow("letter") << int(Qt::Key_K) << none << "k" << 107;
  QTest::newRow("shifted letter") << int(Qt::Key_K) << int(Qt::ShiftModifier) << "K" << 75;
  QTest::newRow("space") << int(Qt::Key_Space) << int(Qt::ShiftModifier) << " " << 32;
  QTest::newRow("ctrl+d with text") << int(Qt::Key_D) << ctrl << QString(QChar(4)) << 4;
  QTest::newRow("ctrl+d without text") << int(Qt::Key_D) << ctrl << QString() << 4;
  QTest::newRow("ctrl+a without text") << int(Qt::Key_A) << ctrl << QString() << 1;
  QTest::newRow("ctrl+z without text") << int(Qt::Key_Z) << ctrl << QString() << 26;
  QTest::newRow("backspace without text") << int(Qt::Key_Backspace) << none << QString() << 8;
  QTest::newRow("enter without text") << int(Qt::Key_Return) << none << QString() << 13;
  QTest::newRow("escape") << int(Qt::Key_Escape) << none << QString(QChar(27)) << 27;
  QTest::newRow("arrow") << int(Qt::Key_Left) << none << QString() << 0;
  QTest::newRow("shift alone") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << QString() << 0;
  // X11 reports U+007F for Delete, which types nothing in the pad.
  QTest::newRow("delete") << int(Qt::Key_Delete) << none << QString(QChar(127)) << 0;
  QTest::newRow("alt+letter") << int(Qt::Key_K) << int(Qt::AltModifier) << "k" << 0;
  QTest::newRow("altgr character") << int(Qt::Key_E) << int(Qt::ControlModifier | Qt::AltModifier)
                                   << QString(QChar(0x20AC)) << 0x20AC;
  QTest::newRow("devanagari") << int(Qt::Key_unknown) << none << QString(QChar(0x0915)) << 0x0915;
  QTest::newRow("beyond 16-bit signed")
      << int(Qt::Key_unknown) << none << QString(QChar(0xAC00)) << 0;
  QTest::newRow("two units") << int(Qt::Key_unknown) << none << QString::fromUcs4(U"\U0001F600")
                             << 0;
}

void KeyMappingTest::keyAscii() {
  QFETCH(int, key);
  QFETCH(int, modifiers);
  QFETCH(QString, text);
  QFETCH(int, code);
  QCOMPARE(int(KeyAsciiCode(key, Qt::KeyboardModifiers(modifiers), text)), code);
}

QTEST_GUILESS_MAIN(KeyMappingTest)
#include "key_mapping_test.moc"
