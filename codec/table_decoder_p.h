#pragma once
// Decodes the data bits of a compressed HE3 buffer through a lookup table over
// the next few bits, which yields up to three symbols at once; codes longer
// than the table continue through the tree bit by bit.

#include <cstddef>
#include <cstdint>

#include "codec/code_tree.h"
#include "codec/he3.h"

namespace lekhora::he3 {

/// Table widths the decoder supports; the default suits large inputs.
inline constexpr int kMinTableBits = 4;
inline constexpr int kMaxTableBits = 12;

/// Decodes bits from p[start] to p[n-1] until `wanted` symbols are produced or
/// the input ends; returns what was produced. Throws the subscript error on a
/// bit path to an absent child. tableBits 0 picks a width by input size.
Bytes DecodeWithTable(const CodeTree& tree, const std::uint8_t* p, std::size_t n, std::size_t start,
                      std::size_t wanted, int tableBits = 0);

}  // namespace lekhora::he3
