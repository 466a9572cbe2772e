#pragma once
// The HE3 checksum: the XOR of all bytes, starting from 0.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace lekhora::he3 {

/// XOR of p[0, n), eight bytes at a time (byte order does not matter to XOR).
inline std::uint8_t XorChecksum(const std::uint8_t* p, std::size_t n) {
  std::uint64_t acc[4] = {0, 0, 0, 0};
  std::size_t i = 0;
  for (; i + 32 <= n; i += 32) {
    for (int k = 0; k < 4; ++k) {
      std::uint64_t w;
      std::memcpy(&w, p + i + 8 * k, 8);
      acc[k] ^= w;
    }
  }
  std::uint64_t x = acc[0] ^ acc[1] ^ acc[2] ^ acc[3];
  x ^= x >> 32;
  x ^= x >> 16;
  x ^= x >> 8;
  auto sum = static_cast<std::uint8_t>(x);
  for (; i < n; ++i) sum ^= p[i];
  return sum;
}

}  // namespace lekhora::he3
