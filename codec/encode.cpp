#include <bit>
#include <cstring>

#include "base/error.h"
#include "codec/bit_writer_p.h"
#include "codec/code_book_p.h"
#include "codec/he3.h"
#include "codec/he3_format.h"

namespace lekhora {
namespace {

// Four interleaved tables keep repeated bytes from waiting on each other's
// increments; the counts of a 32-bit length cannot overflow.
he3::ByteCounts CountBytes(const std::uint8_t* p, std::size_t n) {
  std::uint32_t c[4][256] = {};
  std::size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    ++c[0][p[i]];
    ++c[1][p[i + 1]];
    ++c[2][p[i + 2]];
    ++c[3][p[i + 3]];
  }
  for (; i < n; ++i) ++c[0][p[i]];
  he3::ByteCounts counts{};
  for (int v = 0; v < 256; ++v)
    counts[v] = static_cast<std::int32_t>(c[0][v] + c[1][v] + c[2][v] + c[3][v]);
  return counts;
}

// The XOR of all bytes: a value seen an odd number of times contributes once.
std::uint8_t ChecksumOf(const he3::ByteCounts& counts) {
  std::uint8_t x = 0;
  for (int v = 0; v < 256; ++v)
    if (counts[v] & 1) x ^= static_cast<std::uint8_t>(v);
  return x;
}

void StoreLe(std::uint8_t* p, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Flush stores 8 bytes at a time, past the last byte that holds data.
constexpr std::size_t kOutputSlack = 8;

// Stores the next 8 bytes of the accumulator and keeps the bits of the last,
// incomplete byte; the output has kOutputSlack bytes for it.
inline void Flush(std::uint8_t*& out, std::uint64_t& acc, int& filled) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(out, &acc, 8);
  } else {
    for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(acc >> (8 * i));
  }
  out += filled >> 3;
  acc >>= filled & ~7;  // at most 56: filled never exceeds 63
  filled &= 7;
}

// Codes up to this length go two at a time through one 64-bit accumulator:
// two such codes on top of 7 pending bits fit in 63 bits.
constexpr int kFastPathCodeBits = 28;
constexpr std::uint64_t kFastPathCodeMask = (std::uint64_t{1} << kFastPathCodeBits) - 1;
// The fast path keeps a code's length in the top byte of its table entry.
constexpr int kLengthShift = 56;

// The data bits of the input; returns the end of the written bytes.
std::uint8_t* WriteData(const std::uint8_t* in, std::size_t n, const he3::CodeBook& book,
                        int longest, std::uint8_t* out) {
  if (longest > kFastPathCodeBits) {
    he3::BitWriter w(out);
    for (std::size_t i = 0; i < n; ++i) w.PutCode(book[in[i]]);
    return w.Finish();
  }
  std::uint64_t entry[256];
  for (int v = 0; v < 256; ++v)
    entry[v] = book[v].words[0] | std::uint64_t{book[v].length} << kLengthShift;
  std::uint64_t acc = 0;
  int filled = 0;
  std::size_t i = 0;
  for (; i + 2 <= n; i += 2) {
    const std::uint64_t a = entry[in[i]];
    const std::uint64_t b = entry[in[i + 1]];
    acc |= (a & kFastPathCodeMask) << filled;
    filled += static_cast<int>(a >> kLengthShift);
    acc |= (b & kFastPathCodeMask) << filled;
    filled += static_cast<int>(b >> kLengthShift);
    Flush(out, acc, filled);
  }
  for (; i < n; ++i) {
    const std::uint64_t a = entry[in[i]];
    acc |= (a & kFastPathCodeMask) << filled;
    filled += static_cast<int>(a >> kLengthShift);
    Flush(out, acc, filled);
  }
  if (filled > 0) *out++ = static_cast<std::uint8_t>(acc);
  return out;
}

}  // namespace

void Encode(Bytes& buffer, std::int32_t length) {
  if (length < 0 || static_cast<std::size_t>(length) > buffer.size()) throw SubscriptError();
  const std::size_t n = static_cast<std::size_t>(length);
  if (n == 0) {
    buffer = {he3::kIdH, he3::kIdE, he3::kIdStored, he3::kIdEnd};
    return;
  }
  const he3::ByteCounts counts = CountBytes(buffer.data(), n);
  const he3::CodeBook book = he3::BuildCodeBook(counts);

  int coded = 0;
  int longest = 0;
  std::uint64_t tableBits = 0;
  std::uint64_t dataBits = 0;
  for (int v = 0; v < 256; ++v) {
    if (book[v].length == 0) continue;
    ++coded;
    if (book[v].length > longest) longest = book[v].length;
    tableBits += book[v].length;
    dataBits += static_cast<std::uint64_t>(counts[v]) * book[v].length;
  }
  const std::uint64_t dataBytes = (dataBits + 7) / 8;

  // The decoder takes its input's length as a 32-bit signed number: an
  // encoding longer than that could never be read back.
  constexpr std::uint64_t kMaxEncoded = 0x7FFFFFFF;
  if (dataBytes == 0 || dataBytes > n) {
    if (n + he3::kIdSize > kMaxEncoded) throw OverflowError();
    Bytes out(n + he3::kIdSize);
    out[0] = he3::kIdH;
    out[1] = he3::kIdE;
    out[2] = he3::kIdStored;
    out[3] = he3::kIdEnd;
    std::memcpy(out.data() + he3::kIdSize, buffer.data(), n);
    buffer.swap(out);
    return;
  }

  const std::size_t pairsEnd = he3::kPairsOffset + 2 * static_cast<std::size_t>(coded);
  const std::size_t total = pairsEnd + (tableBits + 7) / 8 + dataBytes;
  if (total > kMaxEncoded) throw OverflowError();
  Bytes out(total + kOutputSlack);
  out[0] = he3::kIdH;
  out[1] = he3::kIdE;
  out[2] = he3::kIdCompressed;
  out[3] = he3::kIdEnd;
  out[he3::kChecksumOffset] = ChecksumOf(counts);
  StoreLe(&out[he3::kLengthOffset], static_cast<std::uint32_t>(length), 4);
  StoreLe(&out[he3::kCountOffset], static_cast<std::uint32_t>(coded), 2);
  std::uint8_t* p = &out[he3::kPairsOffset];
  for (int v = 0; v < 256; ++v) {
    if (book[v].length == 0) continue;
    *p++ = static_cast<std::uint8_t>(v);
    *p++ = book[v].length;
  }
  he3::BitWriter table(p);
  for (int v = 0; v < 256; ++v)
    if (book[v].length != 0) table.PutCode(book[v]);
  WriteData(buffer.data(), n, book, longest, table.Finish());
  out.resize(total);
  buffer.swap(out);
}

}  // namespace lekhora
