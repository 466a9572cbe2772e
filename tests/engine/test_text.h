#pragma once
// Readable text in failure messages: combining marks alone are unreadable, so
// every text is shown as code units beside its glyphs.

#include <cstdio>
#include <string>
#include <string_view>

#include "base/utf16.h"

namespace lekhora::testing {

inline std::string Utf8(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (IsHighSurrogate(cp) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      cp = CombineSurrogates(text[i], text[i + 1]);
      ++i;
    }
    if (cp < 0x20) {
      out += '.';
    } else if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

/// "U+0915 U+093E (..)"; "(empty)" for the empty text.
inline std::string Show(std::u16string_view text) {
  if (text.empty()) return "(empty)";
  std::string out;
  char unit[8];
  for (char16_t c : text) {
    std::snprintf(unit, sizeof unit, "U+%04X", static_cast<unsigned>(c));
    out += unit;
    out += ' ';
  }
  return out + "(" + Utf8(text) + ")";
}

}  // namespace lekhora::testing
