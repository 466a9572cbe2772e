#pragma once
// The decoding tree of a compressed HE3 buffer, read from its symbol pairs and
// code table. Both decoders start from it.

#include <array>
#include <cstddef>
#include <cstdint>

#include "codec/he3_format.h"

namespace lekhora::he3 {

/// The node pool: node 0 is the root; -1 is an absent child or no symbol.
struct CodeTree {
  std::array<std::int16_t, kMaxNodes> zero;
  std::array<std::int16_t, kMaxNodes> one;
  std::array<std::int16_t, kMaxNodes> symbol;
  int nodes = 0;
};

/// The fields of a compressed buffer that precede its data bits.
struct CompressedHeader {
  std::uint8_t checksum = 0;
  std::int32_t length = 0;                     // announced number of decoded bytes
  std::int16_t pairs = 0;                      // N, as stored
  std::array<std::uint8_t, 256> codeLength{};  // 0: no code
  std::size_t dataStart = 0;                   // offset of the first data byte
};

/// Reads the checksum and the announced length; needs 9 bytes.
/// Throws the subscript error when they are missing.
CompressedHeader ReadLengthField(const std::uint8_t* p, std::size_t n);

/// Reads the pairs and the code table and builds the tree. Throws the subscript
/// error for missing fields, a code length of 0 or more than 512 nodes.
void ReadCodeTable(const std::uint8_t* p, std::size_t n, CompressedHeader& header, CodeTree& tree);

}  // namespace lekhora::he3
