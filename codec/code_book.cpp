#include "codec/code_book_p.h"

#include <vector>

#include "base/checked16.h"
#include "base/error.h"
#include "codec/he3_format.h"

namespace lekhora::he3 {
namespace {

struct HuffmanNode {
  std::int32_t weight = 0;
  std::int16_t parent = -1;
  std::int16_t zero = -1;
  std::int16_t one = -1;
  std::int16_t symbol = -1;
};

// Picks the two parentless nodes to merge, scanning them in ascending index
// order (`open` lists them so). The comparisons are strict so that among
// equal weights the node met first stays; files depend on this order.
void PickPair(const std::vector<HuffmanNode>& nodes, const std::vector<std::int16_t>& open, int& a,
              int& b) {
  a = open[0];
  b = open[1];
  std::int32_t wa = nodes[a].weight;
  std::int32_t wb = nodes[b].weight;
  for (std::size_t k = 2; k < open.size(); ++k) {
    const int x = open[k];
    const std::int32_t w = nodes[x].weight;
    // Not below wA: x replaces B when below wB. Below wA but not below wB: x
    // replaces A. Below both: x replaces B when wA < wB, otherwise A. Written
    // without branches, which the unpredictable weights would defeat.
    const bool belowA = w < wa;
    const bool belowB = w < wb;
    const bool intoB = belowB && (!belowA || wa < wb);
    const bool intoA = belowA && !intoB;
    b = intoB ? x : b;
    wb = intoB ? w : wb;
    a = intoA ? x : a;
    wa = intoA ? w : wa;
  }
}

void AssignCodes(const std::vector<HuffmanNode>& nodes, int node, CodeWord path, int depth,
                 CodeBook& book) {
  const HuffmanNode& n = nodes[node];
  if (n.symbol >= 0) {
    path.length = static_cast<std::uint8_t>(depth);
    book[n.symbol] = path;
    return;
  }
  if (depth >= kMaxCodeLength) throw OverflowError();
  AssignCodes(nodes, n.zero, path, depth + 1, book);
  path.words[depth / 64] |= std::uint64_t{1} << (depth % 64);
  AssignCodes(nodes, n.one, path, depth + 1, book);
}

}  // namespace

CodeBook BuildCodeBook(const ByteCounts& counts) {
  std::vector<HuffmanNode> nodes;
  nodes.reserve(kMaxNodes);
  for (int v = 0; v < 256; ++v) {
    if (counts[v] > 0) {
      HuffmanNode leaf;
      leaf.weight = counts[v];
      leaf.symbol = static_cast<std::int16_t>(v);
      nodes.push_back(leaf);
    }
  }
  CodeBook book{};
  if (nodes.empty()) return book;
  const std::int16_t leaves = CheckedNarrow16(static_cast<std::int64_t>(nodes.size()));
  std::vector<std::int16_t> open(static_cast<std::size_t>(leaves));
  for (std::int16_t i = 0; i < leaves; ++i) open[static_cast<std::size_t>(i)] = i;
  for (int merge = 1; merge < leaves; ++merge) {
    int a = 0;
    int b = 0;
    PickPair(nodes, open, a, b);
    HuffmanNode inner;
    // The summed weights never exceed the input length, itself a 32-bit count.
    inner.weight = nodes[a].weight + nodes[b].weight;
    inner.zero = static_cast<std::int16_t>(a);
    inner.one = static_cast<std::int16_t>(b);
    const std::int16_t index = CheckedNarrow16(static_cast<std::int64_t>(nodes.size()));
    nodes[a].parent = index;
    nodes[b].parent = index;
    nodes.push_back(inner);
    std::erase_if(open, [&](std::int16_t i) { return i == a || i == b; });
    open.push_back(index);  // the highest index so far: the list stays ascending
  }
  AssignCodes(nodes, static_cast<int>(nodes.size()) - 1, CodeWord{}, 0, book);
  return book;
}

}  // namespace lekhora::he3
