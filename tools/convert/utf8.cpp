#include "tools/convert/utf8.h"

#include <cstdint>

namespace lekhora {

namespace {

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

char16_t* PutCodePoint(char16_t* out, char32_t cp) {
  if (cp < 0x10000) {
    *out++ = static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    *out++ = static_cast<char16_t>(0xD800 + (cp >> 10));
    *out++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
  return out;
}

}  // namespace

Utf8Result DecodeUtf8(std::string_view bytes) {
  Utf8Result result;
  // Never more code units than bytes: a pair takes four bytes.
  result.text.resize(bytes.size());
  char16_t* out = result.text.data();
  auto fail = [&result, &out](std::size_t offset) {
    result.text.resize(static_cast<std::size_t>(out - result.text.data()));
    result.badOffset = offset;
    return result;
  };
  const std::size_t size = bytes.size();
  std::size_t i = 0;
  while (i < size) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      *out++ = lead;
      ++i;
      continue;
    }
    int length = 0;
    char32_t cp = 0;
    char32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, cp = lead & 0x1F, lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3, cp = lead & 0x0F, lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, cp = lead & 0x07, lowest = 0x10000;
    } else {
      return fail(i);
    }
    if (size - i < static_cast<std::size_t>(length)) {
      return fail(i);
    }
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if (!IsContinuation(next)) {
        return fail(i);
      }
      cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < lowest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      return fail(i);
    }
    out = PutCodePoint(out, cp);
    i += length;
  }
  result.text.resize(static_cast<std::size_t>(out - result.text.data()));
  return result;
}

std::string EncodeUtf8(std::u16string_view text) {
  // A close upper bound first (a pair counts six, takes four): zero-filling
  // the worst case of three bytes a unit costs more than this pass.
  std::size_t bytes = 0;
  for (char16_t unit : text) bytes += unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3;
  std::string out(bytes, '\0');
  char* p = out.data();
  auto put = [&p](unsigned value) { *p++ = static_cast<char>(value); };
  const std::size_t size = text.size();
  for (std::size_t i = 0; i < size; ++i) {
    char32_t cp = text[i];
    if (cp < 0x80) {
      put(cp);
      continue;
    }
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < size && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
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
  out.resize(static_cast<std::size_t>(p - out.data()));
  return out;
}

}  // namespace lekhora
