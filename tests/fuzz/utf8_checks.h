#pragma once
// Strict UTF-8 decoding against a reference written from the table of
// well-formed byte sequences, one code point at a time, as plainly as it can
// be written.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tests/fuzz/fuzz_checks.h"
#include "text/utf8.h"

namespace lekhora::fuzz {

struct ReferenceResult {
  std::u16string text;
  std::optional<std::size_t> badOffset;
};

// Each well-formed sequence: its first byte's range, then each following
// byte's range.
inline ReferenceResult ReferenceDecode(std::string_view bytes) {
  struct Range {
    std::uint8_t lo, hi;
  };
  struct Form {
    Range first;
    int count;
    Range next[3];
  };
  static constexpr Form kForms[] = {
      {{0x00, 0x7F}, 0, {}},
      {{0xC2, 0xDF}, 1, {{0x80, 0xBF}}},
      {{0xE0, 0xE0}, 2, {{0xA0, 0xBF}, {0x80, 0xBF}}},
      {{0xE1, 0xEC}, 2, {{0x80, 0xBF}, {0x80, 0xBF}}},
      {{0xED, 0xED}, 2, {{0x80, 0x9F}, {0x80, 0xBF}}},
      {{0xEE, 0xEF}, 2, {{0x80, 0xBF}, {0x80, 0xBF}}},
      {{0xF0, 0xF0}, 3, {{0x90, 0xBF}, {0x80, 0xBF}, {0x80, 0xBF}}},
      {{0xF1, 0xF3}, 3, {{0x80, 0xBF}, {0x80, 0xBF}, {0x80, 0xBF}}},
      {{0xF4, 0xF4}, 3, {{0x80, 0x8F}, {0x80, 0xBF}, {0x80, 0xBF}}},
  };
  ReferenceResult result;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto b0 = static_cast<std::uint8_t>(bytes[i]);
    const Form* form = nullptr;
    for (const Form& f : kForms)
      if (b0 >= f.first.lo && b0 <= f.first.hi) form = &f;
    bool ok = form != nullptr;
    std::uint32_t cp = 0;
    if (ok) {
      static constexpr std::uint8_t kLeadMask[] = {0x7F, 0x1F, 0x0F, 0x07};
      cp = b0 & kLeadMask[form->count];
      for (int k = 0; k < form->count; ++k) {
        const std::size_t at = i + 1 + static_cast<std::size_t>(k);
        if (at >= bytes.size()) {
          ok = false;
          break;
        }
        const auto b = static_cast<std::uint8_t>(bytes[at]);
        if (b < form->next[k].lo || b > form->next[k].hi) {
          ok = false;
          break;
        }
        cp = cp << 6 | (b & 0x3F);
      }
    }
    if (!ok) {
      result.badOffset = i;
      return result;
    }
    if (cp < 0x10000) {
      result.text += static_cast<char16_t>(cp);
    } else {
      cp -= 0x10000;
      result.text += static_cast<char16_t>(0xD800 + (cp >> 10));
      result.text += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
    i += 1 + static_cast<std::size_t>(form->count);
  }
  return result;
}

/// Any bytes: the strict decoder, whole and in blocks, agrees with the
/// reference on the text before the first bad sequence and on its offset; a
/// valid input encodes back to itself.
inline void CheckUtf8(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ReferenceResult expected = ReferenceDecode(bytes);
  const Utf8Result whole = DecodeUtf8(bytes);
  if (whole.badOffset != expected.badOffset)
    Violated("the first bad offset differs from the reference");
  if (!whole.badOffset && whole.text != expected.text)
    Violated("the text differs from the reference");
  std::u16string blocks;
  const std::optional<std::size_t> bad =
      DecodeUtf8Blocks(bytes, [&blocks](std::u16string_view block) { blocks += block; });
  if (bad != expected.badOffset) Violated("the block decoder's bad offset differs");
  if (blocks != expected.text) Violated("the block decoder handed over other text");
  if (!expected.badOffset && EncodeUtf8(expected.text) != bytes)
    Violated("valid UTF-8 does not encode back to itself");
  // The lenient decoder agrees wherever the input is valid.
  if (!expected.badOffset && Utf8ToUtf16(bytes) != expected.text)
    Violated("the lenient decoder differs on valid input");
}

}  // namespace lekhora::fuzz
