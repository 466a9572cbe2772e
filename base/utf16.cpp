#include "base/utf16.h"

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

}  // namespace lekhora
