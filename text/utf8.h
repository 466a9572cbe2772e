#pragma once
// UTF-8 in and out: strict for the converter, which must report bad input,
// and lenient for the data tools, which only need readable text.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lekhora {

/// The codecs work this many units (decoding: bytes) at a time.
inline constexpr std::size_t kUtf8BlockSize = 4096;

struct Utf8Result {
  std::u16string text;
  /// Offset of the first byte of the first invalid sequence, if any.
  std::optional<std::size_t> badOffset;
};

/// Rejects overlong forms, encoded surrogates, code points above U+10FFFF,
/// stray continuation bytes and truncated sequences.
Utf8Result DecodeUtf8(std::string_view bytes);

/// DecodeUtf8 a block at a time: take receives the text in order, so that a
/// long input needs no UTF-16 copy of its own. Returns the offset of the first
/// invalid sequence, after handing over everything before it.
std::optional<std::size_t> DecodeUtf8Blocks(std::string_view bytes,
                                            const std::function<void(std::u16string_view)>& take);

/// A surrogate without its partner becomes U+FFFD, so the output is always
/// valid UTF-8.
std::string EncodeUtf8(std::u16string_view text);

/// EncodeUtf8 a block at a time, for writing straight to a file.
void EncodeUtf8Blocks(std::u16string_view text, const std::function<void(std::string_view)>& take);

/// Lenient decoding: each malformed sequence becomes one U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
/// EncodeUtf8 under the name that pairs it with Utf8ToUtf16.
inline std::string Utf16ToUtf8(std::u16string_view text) {
  return EncodeUtf8(text);
}

}  // namespace lekhora
