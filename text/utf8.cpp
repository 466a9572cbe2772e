#include "text/utf8.h"

#include <cstdint>
#include <cstring>

#include "base/utf16.h"

namespace lekhora {

namespace {

// The codecs work a block at a time on the stack and hand each block over
// whole: the result is written once, never zero-filled first nor grown a unit
// at a time.
constexpr std::size_t kBlock = kUtf8BlockSize;

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// Eight bytes with no high bit: Latin keys are most of any text to convert.
bool AllAscii8(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return (word & 0x8080808080808080u) == 0;
}

// Decodes the sequence at bytes[i] to out; returns its length, or 0 when it
// is not valid UTF-8.
std::size_t DecodeSequence(std::string_view bytes, std::size_t i, char16_t*& out) {
  const auto lead = static_cast<unsigned char>(bytes[i]);
  std::size_t length = 0;
  char32_t cp = 0;
  char32_t lowest = 0;
  if (lead < 0x80) {
    *out++ = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, cp = lead & 0x1F, lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, cp = lead & 0x0F, lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, cp = lead & 0x07, lowest = 0x10000;
  } else {
    return 0;
  }
  if (bytes.size() - i < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(bytes[i + k]);
    if (!IsContinuation(next)) return 0;
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < lowest || cp > 0x10FFFF || IsSurrogate(cp)) return 0;
  out = WriteUtf16(out, cp);
  return length;
}

}  // namespace

std::optional<std::size_t> DecodeUtf8Blocks(std::string_view bytes,
                                            const std::function<void(std::u16string_view)>& take) {
  // A block of input bytes gives at most as many units; the last sequence may
  // run three bytes past the block.
  char16_t block[kBlock + 3];
  const std::size_t size = bytes.size();
  std::size_t i = 0;
  while (i < size) {
    const std::size_t end = size - i < kBlock ? size : i + kBlock;
    char16_t* out = block;
    while (i < end) {
      if (end - i >= 8 && AllAscii8(bytes.data() + i)) {
        for (std::size_t k = 0; k < 8; ++k) out[k] = static_cast<unsigned char>(bytes[i + k]);
        out += 8;
        i += 8;
        continue;
      }
      const std::size_t length = DecodeSequence(bytes, i, out);
      if (length == 0) {
        take(std::u16string_view(block, static_cast<std::size_t>(out - block)));
        return i;
      }
      i += length;
    }
    take(std::u16string_view(block, static_cast<std::size_t>(out - block)));
  }
  return std::nullopt;
}

Utf8Result DecodeUtf8(std::string_view bytes) {
  Utf8Result result;
  // Never more code units than bytes: a pair takes four bytes.
  result.text.reserve(bytes.size());
  result.badOffset =
      DecodeUtf8Blocks(bytes, [&result](std::u16string_view block) { result.text += block; });
  return result;
}

void EncodeUtf8Blocks(std::u16string_view text, const std::function<void(std::string_view)>& take) {
  // A block of units gives at most three bytes each; a pair, read one unit
  // past the block, four for two.
  char block[kBlock * 3 + 1];
  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size) {
    const std::size_t end = size - i < kBlock ? size : i + kBlock;
    char* p = block;
    auto put = [&p](unsigned value) { *p++ = static_cast<char>(value); };
    for (; i < end; ++i) {
      char32_t cp = text[i];
      if (cp < 0x80) {
        put(cp);
        continue;
      }
      if (IsHighSurrogate(cp) && i + 1 < size && IsLowSurrogate(text[i + 1])) {
        cp = CombineSurrogates(text[i], text[i + 1]);
        ++i;
      } else if (IsSurrogate(cp)) {
        cp = kReplacement;
      }
      if (cp < 0x800) {
        put(0xC0 | (cp >> 6));
        put(0x80 | (cp & 0x3F));
      } else if (cp < 0x10000) {
        put(0xE0 | (cp >> 12));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
      } else {
        put(0xF0 | (cp >> 18));
        put(0x80 | ((cp >> 12) & 0x3F));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
      }
    }
    take(std::string_view(block, static_cast<std::size_t>(p - block)));
  }
}

std::string EncodeUtf8(std::u16string_view text) {
  // The exact size first (a pair counts six, takes four: close enough), so
  // that the result is allocated once.
  std::size_t bytes = 0;
  for (char16_t unit : text) bytes += 1 + (unit >= 0x80) + (unit >= 0x800);
  std::string out;
  out.reserve(bytes);
  EncodeUtf8Blocks(text, [&out](std::string_view block) { out += block; });
  return out;
}

// The strict decoder runs up to each malformed sequence; the sequence is then
// skipped as far as it looked like one (its lead byte and the continuation
// bytes that follow, up to the length the lead announces).
std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  auto take = [&out](std::u16string_view block) { out += block; };
  while (!text.empty()) {
    const std::optional<std::size_t> bad = DecodeUtf8Blocks(text, take);
    if (!bad) break;
    out.push_back(static_cast<char16_t>(kReplacement));
    const auto lead = static_cast<unsigned char>(text[*bad]);
    const std::size_t length = (lead & 0xE0) == 0xC0   ? 2
                               : (lead & 0xF0) == 0xE0 ? 3
                               : (lead & 0xF8) == 0xF0 ? 4
                                                       : 1;
    std::size_t skip = 1;
    while (skip < length && *bad + skip < text.size() &&
           IsContinuation(static_cast<unsigned char>(text[*bad + skip])))
      ++skip;
    text.remove_prefix(*bad + skip);
  }
  return out;
}

}  // namespace lekhora
