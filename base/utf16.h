#pragma once
// UTF-16 code units: surrogates, code points, and the word lists' byte layout
// (UTF-16LE with the bytes taken directly as code units).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lekhora {

inline constexpr bool IsHighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
inline constexpr bool IsLowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}
inline constexpr bool IsSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDFFF;
}

/// The code point of a surrogate pair.
inline constexpr char32_t CombineSurrogates(char16_t high, char16_t low) {
  return 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) + (low - 0xDC00);
}

/// Writes cp (at most U+10FFFF, no surrogate) as one or two units at out and
/// returns the position after them.
inline char16_t* WriteUtf16(char16_t* out, char32_t cp) {
  if (cp < 0x10000) {
    *out++ = static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    *out++ = static_cast<char16_t>(0xD800 + (cp >> 10));
    *out++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
  return out;
}

inline void AppendUtf16(std::u16string& text, char32_t cp) {
  char16_t units[2];
  text.append(units, WriteUtf16(units, cp));
}

/// Pairs of bytes as little-endian code units; an odd last byte becomes a unit
/// whose high byte is 0.
std::u16string BytesToUtf16(std::span<const std::uint8_t> bytes);
/// The code units as little-endian byte pairs.
std::vector<std::uint8_t> Utf16ToBytes(std::u16string_view text);

}  // namespace lekhora
