#include "suggest/text_units.h"

#include "suggest/utf8.h"

namespace lekhora {

std::u16string BytesToUtf16(std::span<const std::uint8_t> bytes) {
  std::u16string text((bytes.size() + 1) / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t lo = 2 * i;
    const unsigned high = lo + 1 < bytes.size() ? bytes[lo + 1] : 0u;
    text[i] = static_cast<char16_t>(bytes[lo] | (high << 8));
  }
  return text;
}

std::vector<std::uint8_t> Utf16ToBytes(std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

std::vector<std::u16string> SplitCrLf(std::u16string_view text) {
  std::vector<std::u16string> entries;
  if (text.empty()) return entries;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(u"\r\n", start);
    if (end == std::u16string_view::npos) {
      entries.emplace_back(text.substr(start));
      return entries;
    }
    entries.emplace_back(text.substr(start, end - start));
    start = end + 2;
  }
}

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if (lead < 0x80) {
      length = 1, cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, cp = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, cp = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, cp = lead & 0x07, min = 0x10000;
    } else {
      out.push_back(kReplacement), ++i;
      continue;
    }
    std::size_t taken = 1;
    while (taken < length && i + taken < text.size() &&
           (static_cast<unsigned char>(text[i + taken]) & 0xC0) == 0x80) {
      cp = (cp << 6) | (static_cast<unsigned char>(text[i + taken]) & 0x3F);
      ++taken;
    }
    // Overlong forms, surrogates and truncated sequences are all malformed.
    if (taken < length || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
      AppendUtf16(out, kReplacement);
    else
      AppendUtf16(out, cp);
    i += taken;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  return EncodeUtf8(text);
}

}  // namespace lekhora
