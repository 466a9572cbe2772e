#include "codec/code_tree.h"

#include "base/error.h"

namespace lekhora::he3 {
namespace {

int NewNode(CodeTree& tree) {
  if (tree.nodes >= kMaxNodes) throw SubscriptError();
  const int index = tree.nodes++;
  tree.zero[index] = -1;
  tree.one[index] = -1;
  tree.symbol[index] = -1;
  return index;
}

}  // namespace

CompressedHeader ReadLengthField(const std::uint8_t* p, std::size_t n) {
  if (n < static_cast<std::size_t>(kCountOffset)) throw SubscriptError();
  CompressedHeader h;
  h.checksum = p[kChecksumOffset];
  const std::uint32_t raw =
      std::uint32_t{p[kLengthOffset]} | std::uint32_t{p[kLengthOffset + 1]} << 8 |
      std::uint32_t{p[kLengthOffset + 2]} << 16 | std::uint32_t{p[kLengthOffset + 3]} << 24;
  h.length = static_cast<std::int32_t>(raw);
  return h;
}

void ReadCodeTable(const std::uint8_t* p, std::size_t n, CompressedHeader& h, CodeTree& tree) {
  if (n < static_cast<std::size_t>(kPairsOffset)) throw SubscriptError();
  h.pairs = static_cast<std::int16_t>(p[kCountOffset] | p[kCountOffset + 1] << 8);
  // A negative count would put the code table inside the header; such a file
  // has no codes, so its first data bit already leads nowhere.
  if (h.pairs < 0) throw SubscriptError();
  const std::size_t pairsEnd = kPairsOffset + 2 * static_cast<std::size_t>(h.pairs);
  if (pairsEnd > n) throw SubscriptError();
  h.codeLength.fill(0);
  for (std::size_t at = kPairsOffset; at < pairsEnd; at += 2) {
    if (p[at + 1] == 0) throw SubscriptError();
    h.codeLength[p[at]] = p[at + 1];  // a later pair for a value replaces an earlier one
  }

  tree.nodes = 0;
  NewNode(tree);
  const std::size_t available = (n - pairsEnd) * 8;
  std::size_t bit = 0;
  for (int v = 0; v < 256; ++v) {
    const int len = h.codeLength[v];
    if (len == 0) continue;
    if (available - bit < static_cast<std::size_t>(len)) throw SubscriptError();
    int node = 0;
    for (int i = 0; i < len; ++i, ++bit) {
      const bool one = (p[pairsEnd + bit / 8] >> (bit % 8)) & 1;
      std::int16_t& child = one ? tree.one[node] : tree.zero[node];
      if (child < 0) child = static_cast<std::int16_t>(NewNode(tree));
      node = child;
    }
    tree.symbol[node] = static_cast<std::int16_t>(v);
  }
  h.dataStart = pairsEnd + (bit + 7) / 8;
}

}  // namespace lekhora::he3
