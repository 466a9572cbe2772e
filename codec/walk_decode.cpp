#include "codec/walk_decode.h"

#include <algorithm>
#include <array>
#include <vector>

#include "base/error.h"
#include "codec/he3_format.h"

namespace lekhora {
namespace {

struct SymbolCode {
  std::uint8_t length = 0;
  std::vector<std::uint8_t> bits;
};

struct HuffmanNode {
  std::int16_t parent = -1;
  std::int16_t one = -1;
  std::int16_t zero = -1;
  std::int16_t symbol = -1;
};

std::uint8_t At(const Bytes& b, std::size_t n, std::int64_t i) {
  if (i < 0 || static_cast<std::size_t>(i) >= n) throw SubscriptError();
  return b[static_cast<std::size_t>(i)];
}

}  // namespace

void WalkDecode(Bytes& buffer, std::int32_t length) {
  if (length < 0 || static_cast<std::size_t>(length) > buffer.size()) throw SubscriptError();
  const std::size_t n = static_cast<std::size_t>(length);
  if (n < 4) throw SubscriptError();
  if (At(buffer, n, 0) != he3::kIdH || At(buffer, n, 1) != he3::kIdE ||
      (At(buffer, n, 2) != he3::kIdStored && At(buffer, n, 2) != he3::kIdCompressed) ||
      At(buffer, n, 3) != he3::kIdEnd)
    throw he3::NotHe3Error();
  if (buffer[2] == he3::kIdStored) {
    if (n == 4) throw SubscriptError();
    buffer = Bytes(buffer.begin() + 4, buffer.begin() + static_cast<std::ptrdiff_t>(n));
    return;
  }

  // The header is read byte by byte at its literal offsets (4 checksum, 5..8
  // length, 9..10 pair count, 11.. pairs) on purpose: this decoder is the
  // independent reading of the format that the table decoder is checked
  // against, so it takes none of the offsets from the shared constants.
  const std::uint8_t checksum = At(buffer, n, 4);
  const std::int32_t announced = static_cast<std::int32_t>(
      std::uint32_t{At(buffer, n, 5)} | std::uint32_t{At(buffer, n, 6)} << 8 |
      std::uint32_t{At(buffer, n, 7)} << 16 | std::uint32_t{At(buffer, n, 8)} << 24);
  if (announced == 0) return;
  if (announced < 0) throw SubscriptError();

  std::array<std::uint8_t, 8> masks;
  for (int i = 0; i < 8; ++i) masks[i] = static_cast<std::uint8_t>(1 << i);

  const std::int16_t pairs = static_cast<std::int16_t>(At(buffer, n, 9) | At(buffer, n, 10) << 8);
  std::array<SymbolCode, 256> codes;
  for (std::int64_t k = 0; k < pairs; ++k) {
    const std::uint8_t symbol = At(buffer, n, 11 + 2 * k);
    const std::uint8_t len = At(buffer, n, 12 + 2 * k);
    if (len == 0) throw SubscriptError();
    codes[symbol].length = len;
    codes[symbol].bits.assign(len, 0);
  }

  std::int64_t pos = 11 + 2 * static_cast<std::int64_t>(pairs);
  int bit = 0;
  for (int v = 0; v < 256; ++v) {
    for (int i = 0; i < codes[v].length; ++i) {
      codes[v].bits[i] = (At(buffer, n, pos) & masks[bit]) ? 1 : 0;
      if (++bit == 8) {
        bit = 0;
        ++pos;
      }
    }
  }
  if (bit > 0) ++pos;

  std::vector<HuffmanNode> pool(he3::kMaxNodes);
  int next = 1;
  for (int v = 0; v < 256; ++v) {
    if (codes[v].length == 0) continue;
    int node = 0;
    for (std::uint8_t b : codes[v].bits) {
      std::int16_t& child = b ? pool[node].one : pool[node].zero;
      if (child == -1) {
        if (next >= he3::kMaxNodes) throw SubscriptError();
        pool[next].parent = static_cast<std::int16_t>(node);
        child = static_cast<std::int16_t>(next++);
      }
      node = child;
    }
    pool[node].symbol = static_cast<std::int16_t>(v);
  }

  // The input bounds the output: every code is at least one bit long.
  const std::size_t bound = pos < static_cast<std::int64_t>(n) ? (n - pos) * 8 : 0;
  Bytes out;
  out.reserve(std::min<std::size_t>(bound, static_cast<std::size_t>(announced)));
  int node = 0;
  bool done = false;
  for (std::int64_t i = pos; i < static_cast<std::int64_t>(n) && !done; ++i) {
    const std::uint8_t byte = At(buffer, n, i);
    for (int b = 0; b < 8; ++b) {
      node = (byte & masks[b]) ? pool[node].one : pool[node].zero;
      if (node < 0) throw SubscriptError();
      if (pool[node].symbol >= 0) {
        out.push_back(static_cast<std::uint8_t>(pool[node].symbol));
        if (out.size() == static_cast<std::size_t>(announced)) {
          done = true;
          break;
        }
        node = 0;
      }
    }
  }
  if (out.empty()) throw SubscriptError();
  std::uint8_t sum = 0;
  for (std::uint8_t b : out) sum ^= b;
  if (sum != checksum) throw he3::ChecksumError();
  buffer.swap(out);
}

}  // namespace lekhora
