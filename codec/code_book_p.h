#pragma once
// The encoder's Huffman code: the tree built from the byte counts with fixed
// tie-breaks, and the code word of every byte value.

#include <array>
#include <cstdint>

namespace lekhora::he3 {

/// A code word, first bit in bit 0 of words[0]; room for the longest storable code.
struct CodeWord {
  std::array<std::uint64_t, 4> words{};
  std::uint8_t length = 0;  // 0: the value has no code
};

using ByteCounts = std::array<std::int32_t, 256>;
using CodeBook = std::array<CodeWord, 256>;

/// The codes for these counts; a single used value gets the empty code.
/// Throws the overflow error for a code longer than 255 bits.
CodeBook BuildCodeBook(const ByteCounts& counts);

}  // namespace lekhora::he3
