#include "codec/table_decoder.h"

#include <bit>
#include <cstring>
#include <vector>

#include "codec/error.h"

namespace lekhora::he3 {
namespace {

// Entry layout: symbols in bits 0-23, their number in bits 24-25, the bits
// they use in bits 26-29. With no symbol, bit 30 marks a path to an absent
// child after (bits 26-29) bits, and otherwise bits 0-15 hold the node reached
// after all table bits (a longer code).
constexpr std::uint32_t kCountShift = 24;
constexpr std::uint32_t kUsedShift = 26;
constexpr std::uint32_t kDeadEnd = 1u << 30;
constexpr int kMaxSymbolsPerEntry = 3;

static_assert(kMaxTableBits < 16, "bits used must fit in four bits");
static_assert(kMaxNodes <= 0x10000, "a node index must fit in sixteen bits");

std::uint32_t MakeEntry(const CodeTree& tree, std::uint32_t pattern, int width) {
  std::uint32_t symbols = 0;
  int count = 0;
  int used = 0;
  int node = 0;
  for (int i = 0; i < width; ++i) {
    const int child = (pattern >> i) & 1 ? tree.one[node] : tree.zero[node];
    if (child < 0) {
      if (count > 0) break;
      return kDeadEnd | static_cast<std::uint32_t>(i + 1) << kUsedShift;
    }
    node = child;
    if (tree.symbol[node] >= 0) {
      symbols |= static_cast<std::uint32_t>(tree.symbol[node]) << (8 * count);
      used = i + 1;
      node = 0;
      if (++count == kMaxSymbolsPerEntry) break;
    }
  }
  if (count == 0) return static_cast<std::uint32_t>(node);
  return symbols | static_cast<std::uint32_t>(count) << kCountShift |
         static_cast<std::uint32_t>(used) << kUsedShift;
}

std::uint64_t Load64Le(const std::uint8_t* p) {
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = v << 8 | p[i];
  return v;
}

class Decoder {
 public:
  Decoder(const CodeTree& tree, const std::uint8_t* p, std::size_t n, std::size_t start,
          std::size_t wanted, int width)
      : tree_(tree), in_(p + start), end_(p + n), width_(width), remaining_(wanted) {
    // Every code is at least one bit long, so the input bounds the output
    // whatever length the header announces.
    const std::size_t bound = (n - start) * 8;
    capacity_ = wanted < bound ? wanted : bound;
    out_.resize(capacity_ + 4);  // room for the 4-byte stores of the last entry
    table_.resize(std::size_t{1} << width);
    for (std::uint32_t pattern = 0; pattern < table_.size(); ++pattern)
      table_[pattern] = MakeEntry(tree, pattern, width);
  }

  Bytes Run() {
    if (remaining_ > 0) Loop();
    out_.resize(produced_);
    return std::move(out_);
  }

 private:
  void Refill() {
    if (end_ - in_ >= 8) {
      bits_ |= Load64Le(in_) << have_;
      in_ += (63 - have_) >> 3;
      have_ |= 56;
    } else {
      while (have_ <= 56 && in_ < end_) {
        bits_ |= std::uint64_t{*in_++} << have_;
        have_ += 8;
      }
    }
  }

  // One bit, or false when the input is used up.
  bool NextBit(int& bit) {
    if (have_ == 0) {
      if (in_ == end_) return false;
      bits_ = *in_++;
      have_ = 8;
    }
    bit = static_cast<int>(bits_ & 1);
    bits_ >>= 1;
    --have_;
    return true;
  }

  // Continues from node until a symbol is produced; false when the input ends first.
  bool WalkFrom(int node) {
    int bit = 0;
    while (NextBit(bit)) {
      node = bit ? tree_.one[node] : tree_.zero[node];
      if (node < 0) throw SubscriptError();
      if (tree_.symbol[node] >= 0) {
        out_[produced_++] = static_cast<std::uint8_t>(tree_.symbol[node]);
        --remaining_;
        return true;
      }
    }
    return false;
  }

  void Loop() {
    const std::uint32_t mask = (std::uint32_t{1} << width_) - 1;
    const std::uint32_t* table = table_.data();
    std::uint8_t* out = out_.data();
    for (;;) {
      Refill();
      if (have_ < width_) break;
      while (have_ >= width_) {
        const std::uint32_t e = table[bits_ & mask];
        const std::size_t count = (e >> kCountShift) & 3;
        if (count != 0) {
          if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(out + produced_, &e, 4);  // the symbols are the low three bytes
          } else {
            out[produced_] = static_cast<std::uint8_t>(e);
            out[produced_ + 1] = static_cast<std::uint8_t>(e >> 8);
            out[produced_ + 2] = static_cast<std::uint8_t>(e >> 16);
          }
          if (count >= remaining_) {
            produced_ += remaining_;
            remaining_ = 0;
            return;
          }
          produced_ += count;
          remaining_ -= count;
          const int used = static_cast<int>((e >> kUsedShift) & 15);
          bits_ >>= used;
          have_ -= used;
        } else if (e & kDeadEnd) {
          throw SubscriptError();
        } else {
          bits_ >>= width_;
          have_ -= width_;
          if (!WalkFrom(static_cast<int>(e & 0xFFFF))) return;
          if (remaining_ == 0) return;
          Refill();
        }
      }
    }
    // Fewer bits are left than the table covers.
    while (remaining_ > 0 && WalkFrom(0)) {
    }
  }

  const CodeTree& tree_;
  const std::uint8_t* in_;
  const std::uint8_t* end_;
  int width_;
  std::size_t remaining_;
  std::size_t capacity_ = 0;
  std::size_t produced_ = 0;
  std::uint64_t bits_ = 0;
  int have_ = 0;
  Bytes out_;
  std::vector<std::uint32_t> table_;
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
  return Decoder(tree, p, n, start, wanted, width).Run();
}

}  // namespace lekhora::he3
