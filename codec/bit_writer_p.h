#pragma once
// Packs bits from the least significant bit of each byte upwards into a buffer
// that the caller has sized to hold them; only complete bytes are ever stored.

#include <cstdint>
#include <cstring>

#include "codec/code_book_p.h"

namespace lekhora::he3 {

class BitWriter {
 public:
  explicit BitWriter(std::uint8_t* out) : out_(out) {}

  /// Appends the low n bits of bits (n <= 32, higher bits zero).
  void Put(std::uint64_t bits, int n) {
    acc_ |= bits << filled_;
    filled_ += n;
    if (filled_ >= 32) {
      Store32(static_cast<std::uint32_t>(acc_));
      acc_ >>= 32;
      filled_ -= 32;
    }
  }

  /// Appends a code word of any length.
  void PutCode(const CodeWord& code) {
    for (int done = 0; done < code.length; done += 32) {
      const int n = code.length - done < 32 ? code.length - done : 32;
      const std::uint64_t chunk = (code.words[done / 64] >> (done % 64)) & 0xFFFFFFFFu;
      Put(chunk & ((std::uint64_t{1} << n) - 1), n);
    }
  }

  /// Completes the last byte with 0 bits; returns the end of the written bytes.
  std::uint8_t* Finish() {
    while (filled_ > 0) {
      *out_++ = static_cast<std::uint8_t>(acc_);
      acc_ >>= 8;
      filled_ = filled_ > 8 ? filled_ - 8 : 0;
    }
    acc_ = 0;
    return out_;
  }

 private:
  void Store32(std::uint32_t v) {
    const std::uint8_t le[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                static_cast<std::uint8_t>(v >> 16),
                                static_cast<std::uint8_t>(v >> 24)};
    std::memcpy(out_, le, 4);
    out_ += 4;
  }

  std::uint8_t* out_;
  std::uint64_t acc_ = 0;
  int filled_ = 0;
};

}  // namespace lekhora::he3
