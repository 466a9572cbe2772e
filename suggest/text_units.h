#pragma once
// Byte and encoding conversions for the word lists, which are stored as
// UTF-16LE with the bytes taken directly as code units.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lekhora {

/// Pairs of bytes as little-endian code units; an odd last byte becomes a unit
/// whose high byte is 0.
std::u16string BytesToUtf16(std::span<const std::uint8_t> bytes);
/// The code units as little-endian byte pairs.
std::vector<std::uint8_t> Utf16ToBytes(std::u16string_view text);

/// Splits at every CR LF. Text without CR LF is one entry; empty text none.
std::vector<std::u16string> SplitCrLf(std::u16string_view text);

/// UTF-8 to UTF-16; malformed sequences become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
/// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace lekhora
