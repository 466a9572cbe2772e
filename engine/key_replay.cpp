#include "engine/key_replay.h"

#include <array>
#include <string_view>

namespace lekhora {

namespace {

struct Punctuation {
  char16_t plain;
  char16_t shifted;
  std::int16_t keyCode;
};

// The US punctuation keys with their Windows virtual key codes.
constexpr Punctuation kPunctuation[] = {
    {u'`', u'~', 192}, {u'-', u'_', 189},  {u'=', u'+', 187}, {u'[', u'{', 219},
    {u']', u'}', 221}, {u'\\', u'|', 220}, {u';', u':', 186}, {u'\'', u'"', 222},
    {u',', u'<', 188}, {u'.', u'>', 190},  {u'/', u'?', 191},
};

// Shift with the digit row, from 0 to 9.
constexpr std::u16string_view kShiftedDigits = u")!@#$%^&*(";

constexpr KeyStroke Lookup(char16_t unit) {
  if (unit >= u'a' && unit <= u'z') return {static_cast<std::int16_t>(unit - u'a' + u'A'), 0};
  if (unit >= u'A' && unit <= u'Z') return {static_cast<std::int16_t>(unit), kShiftBit};
  if (unit >= u'0' && unit <= u'9') return {static_cast<std::int16_t>(unit), 0};
  if (unit == kCharSpace || unit == kCharBackspace || unit == kCharTab || unit == kCharEnter ||
      unit == kCharEscape)
    return {static_cast<std::int16_t>(unit), 0};
  if (unit >= 1 && unit <= 26) return {static_cast<std::int16_t>(unit + 64), kCtrlBit};
  if (std::size_t digit = kShiftedDigits.find(unit); digit != std::u16string_view::npos)
    return {static_cast<std::int16_t>(u'0' + digit), kShiftBit};
  for (const Punctuation& p : kPunctuation) {
    if (unit == p.plain) return {p.keyCode, 0};
    if (unit == p.shifted) return {p.keyCode, kShiftBit};
  }
  return {0, 0};
}

// Every key of a text goes through UsKeyStroke: answer ASCII from a table
// built by the compiler.
constexpr auto kAscii = [] {
  std::array<KeyStroke, 128> table{};
  for (char16_t c = 0; c < 128; ++c) table[c] = Lookup(c);
  return table;
}();

}  // namespace

KeyStroke UsKeyStroke(char16_t unit) {
  return unit < 128 ? kAscii[unit] : KeyStroke{0, 0};
}

}  // namespace lekhora
