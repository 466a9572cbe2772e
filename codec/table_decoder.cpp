#include "codec/table_decoder_p.h"

#include <bit>
#include <cstring>
#include <vector>

#include "base/error.h"

namespace lekhora::he3 {
namespace {

// Entry layout. Bits 0-5: the bits the entry uses (so that a 64-bit shift by
// the entry itself consumes them); bits 6-7: how many symbols it yields; bits
// 8-31: those symbols, first in the lowest byte. An entry with no symbol holds
// in bits 8-23 the node reached after all table bits (a longer code), or has
// kDeadEnd set when its bits lead to an absent child.
constexpr std::uint32_t kUsedMask = 63;
constexpr int kCountShift = 6;
constexpr std::uint32_t kCountMask = 3u << kCountShift;
constexpr int kPayloadShift = 8;
constexpr std::uint32_t kDeadEnd = 1u << 24;
constexpr int kMaxSymbolsPerEntry = 3;

// After a refill at least 56 bits are buffered, enough for this many lookups.
constexpr int kLookupsPerRefill = 4;
static_assert(kLookupsPerRefill * kMaxTableBits <= 56, "lookups must not outrun a refill");
static_assert(kMaxNodes <= 0x10000, "a node index must fit in sixteen bits");

std::uint32_t MakeEntry(const CodeTree& tree, std::uint32_t pattern, int width) {
  std::uint32_t symbols = 0;
  std::uint32_t count = 0;
  std::uint32_t used = 0;
  int node = 0;
  for (int i = 0; i < width; ++i) {
    const int child = (pattern >> i) & 1 ? tree.one[node] : tree.zero[node];
    if (child < 0) {
      if (count > 0) break;
      return kDeadEnd;
    }
    node = child;
    if (tree.symbol[node] >= 0) {
      symbols |= static_cast<std::uint32_t>(tree.symbol[node]) << (8 * count);
      used = static_cast<std::uint32_t>(i + 1);
      node = 0;
      if (++count == kMaxSymbolsPerEntry) break;
    }
  }
  if (count == 0) return static_cast<std::uint32_t>(node) << kPayloadShift;
  return symbols << kPayloadShift | count << kCountShift | used;
}

std::uint64_t Load64Le(const std::uint8_t* p) {
  if constexpr (std::endian::native == std::endian::little) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
  } else {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = v << 8 | p[i];
    return v;
  }
}

void StoreSymbols(std::uint8_t* out, std::uint32_t e) {
  const std::uint32_t symbols = e >> kPayloadShift;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(out, &symbols, 4);
  } else {
    out[0] = static_cast<std::uint8_t>(symbols);
    out[1] = static_cast<std::uint8_t>(symbols >> 8);
    out[2] = static_cast<std::uint8_t>(symbols >> 16);
  }
}

// The reading position: `bits` holds `have` unread bits at its bottom; the
// bits above them are either 0 or already the right input bits.
struct BitCursor {
  const std::uint8_t* in;
  const std::uint8_t* end;
  std::uint64_t bits = 0;
  int have = 0;

  void Refill() {
    if (end - in >= 8) {
      bits |= Load64Le(in) << have;
      in += (63 - have) >> 3;
      have |= 56;
    } else {
      while (have <= 56 && in < end) {
        bits |= std::uint64_t{*in++} << have;
        have += 8;
      }
    }
  }

  // One bit, or false when the input is used up.
  bool NextBit(int& bit) {
    if (have == 0) {
      if (in == end) return false;
      bits = *in++;
      have = 8;
    }
    bit = static_cast<int>(bits & 1);
    bits >>= 1;
    --have;
    return true;
  }
};

// Walks from node until it yields a symbol (-1 when the input ends first).
int WalkFrom(const CodeTree& tree, int node, BitCursor& c) {
  int bit = 0;
  while (c.NextBit(bit)) {
    node = bit ? tree.one[node] : tree.zero[node];
    if (node < 0) throw SubscriptError();
    if (tree.symbol[node] >= 0) return tree.symbol[node];
  }
  return -1;
}

class Run {
 public:
  Run(const CodeTree& tree, const std::uint32_t* table, int width, BitCursor cursor,
      std::uint8_t* out, std::size_t wanted)
      : tree_(tree),
        table_(table),
        width_(width),
        mask_((std::uint32_t{1} << width) - 1),
        c_(cursor),
        begin_(out),
        out_(out),
        stop_(out + wanted) {}

  // Writes up to `wanted` symbols; returns how many.
  std::size_t Decode() {
    for (;;) {
      if (!Bulk()) return Produced();
      if (out_ == stop_) return Produced();
      if (!Careful()) return Produced();
    }
  }

 private:
  std::size_t Produced() const { return static_cast<std::size_t>(out_ - begin_); }

  // Most of the input: fixed groups of lookups per refill, with no checks but
  // for entries without a symbol. Returns false once the input is used up.
  bool Bulk() {
    // Locals, not members: the byte stores may alias anything else.
    const std::uint8_t* in = c_.in;
    std::uint64_t bits = c_.bits;
    int have = c_.have;
    std::uint8_t* out = out_;
    std::uint32_t e = 0;
    while (c_.end - in >= 8 && stop_ - out >= kLookupsPerRefill * kMaxSymbolsPerEntry) {
      bits |= Load64Le(in) << have;
      in += (63 - have) >> 3;
      have |= 56;
      for (int k = 0; k < kLookupsPerRefill; ++k) {
        e = table_[bits & mask_];
        if ((e & kCountMask) == 0) goto special;
        StoreSymbols(out, e);
        out += (e & kCountMask) >> kCountShift;
        bits >>= (e & kUsedMask);
        have -= static_cast<int>(e & kUsedMask);
      }
    }
    c_.in = in;
    c_.bits = bits;
    c_.have = have;
    out_ = out;
    return true;
  special:
    c_.in = in;
    c_.bits = bits;
    c_.have = have;
    out_ = out;
    return LongCode(e);
  }

  // A lookup without a symbol, with at least the table's bits buffered.
  bool LongCode(std::uint32_t e) {
    if (e & kDeadEnd) throw SubscriptError();
    c_.bits >>= width_;
    c_.have -= width_;
    const int symbol = WalkFrom(tree_, static_cast<int>(e >> kPayloadShift), c_);
    if (symbol < 0) return false;
    *out_++ = static_cast<std::uint8_t>(symbol);
    return true;
  }

  // Near the end of the input or of the output: one checked lookup at a time,
  // and the tree for the last few bits. Returns false once the input is used up.
  bool Careful() {
    c_.Refill();
    if (c_.have < width_) {
      while (out_ != stop_) {
        const int symbol = WalkFrom(tree_, 0, c_);
        if (symbol < 0) return false;
        *out_++ = static_cast<std::uint8_t>(symbol);
      }
      return true;
    }
    const std::uint32_t e = table_[c_.bits & mask_];
    const std::uint32_t count = (e & kCountMask) >> kCountShift;
    if (count == 0) return LongCode(e);
    StoreSymbols(out_, e);
    const std::size_t left = static_cast<std::size_t>(stop_ - out_);
    if (count >= left) {
      out_ = stop_;  // the walk stops after the announced number of symbols
      return true;
    }
    out_ += count;
    c_.bits >>= (e & kUsedMask);
    c_.have -= static_cast<int>(e & kUsedMask);
    return true;
  }

  const CodeTree& tree_;
  const std::uint32_t* table_;
  int width_;
  std::uint32_t mask_;
  BitCursor c_;
  std::uint8_t* const begin_;
  std::uint8_t* out_;
  std::uint8_t* const stop_;
};

int WidthFor(std::size_t dataBytes) {
  // Filling the table costs more than it saves on a short input.
  if (dataBytes >= 4096) return kMaxTableBits;
  if (dataBytes >= 256) return 10;
  return 8;
}

}  // namespace

Bytes DecodeWithTable(const CodeTree& tree, const std::uint8_t* p, std::size_t n, std::size_t start,
                      std::size_t wanted, int tableBits) {
  if (start >= n || wanted == 0) return {};
  int width = tableBits == 0 ? WidthFor(n - start) : tableBits;
  if (width < kMinTableBits) width = kMinTableBits;
  if (width > kMaxTableBits) width = kMaxTableBits;
  std::vector<std::uint32_t> table(std::size_t{1} << width);
  for (std::uint32_t pattern = 0; pattern < table.size(); ++pattern)
    table[pattern] = MakeEntry(tree, pattern, width);
  // Every code is at least one bit long, so the input bounds the output
  // whatever length the header announces.
  const std::size_t bound = (n - start) * 8;
  const std::size_t capacity = wanted < bound ? wanted : bound;
  Bytes out(capacity + 4);  // room for the 4-byte store of the last entry
  const BitCursor cursor{p + start, p + n};
  out.resize(Run(tree, table.data(), width, cursor, out.data(), capacity).Decode());
  return out;
}

}  // namespace lekhora::he3
