#pragma once
// Strict UTF-8 in and out for the converter.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lekhora {

struct Utf8Result {
  std::u16string text;
  /// Offset of the first byte of the first invalid sequence, if any.
  std::optional<std::size_t> badOffset;
};

/// Rejects overlong forms, encoded surrogates, code points above U+10FFFF,
/// stray continuation bytes and truncated sequences.
Utf8Result DecodeUtf8(std::string_view bytes);

/// A surrogate without its partner becomes U+FFFD, so the output is always
/// valid UTF-8.
std::string EncodeUtf8(std::u16string_view text);

}  // namespace lekhora
