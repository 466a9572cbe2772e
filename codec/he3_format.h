#pragma once
// Constants of the HE3 byte format and the codec's own error texts, shared by
// the decoders, the encoder and the tools.

#include <cstdint>

#include "base/error.h"

namespace lekhora {

/// Number of every error the codec raises itself (0x80040000).
inline constexpr std::int32_t kCodecErrorNumber = -2147221504;

}  // namespace lekhora

namespace lekhora::he3 {

inline constexpr std::uint8_t kIdH = 0x48;
inline constexpr std::uint8_t kIdE = 0x45;
inline constexpr std::uint8_t kIdStored = 0x30;      // digit 0: bytes kept as they are
inline constexpr std::uint8_t kIdCompressed = 0x33;  // digit 3: Huffman coded
inline constexpr std::uint8_t kIdEnd = 0x0D;

inline constexpr int kIdSize = 4;
inline constexpr int kChecksumOffset = 4;
inline constexpr int kLengthOffset = 5;
inline constexpr int kCountOffset = 9;
inline constexpr int kPairsOffset = 11;

/// The decoder's node pool; a code table needing more nodes is rejected.
inline constexpr int kMaxNodes = 512;
/// A code length is stored in one byte.
inline constexpr int kMaxCodeLength = 255;

inline constexpr const char* kDecodeSource = "HuffmanDecode()";
inline constexpr const char* kChecksumSource = "clsHuffman.Decode()";
inline constexpr const char* kDecodeFileSource = "clsHuffman.DecodeFile()";
inline constexpr const char* kEncodeFileSource = "clsHuffman.EncodeFile()";

inline constexpr const char* kNotHe3Text =
    "The data either was not compressed with HE3 or is corrupt (identification string not found)";
inline constexpr const char* kChecksumText =
    "The data might be corrupted (checksum did not match expected value)";
inline constexpr const char* kNoSourceText = "Source file does not exist";

inline Error NotHe3Error() {
  return Error(kCodecErrorNumber, kDecodeSource, kNotHe3Text);
}
inline Error ChecksumError() {
  return Error(kCodecErrorNumber, kChecksumSource, kChecksumText);
}
inline Error NoSourceError(const char* source) {
  return Error(kCodecErrorNumber, source, kNoSourceText);
}

/// True when the four bytes are the identification of either variant.
inline bool IsIdentification(const std::uint8_t* p) {
  return p[0] == kIdH && p[1] == kIdE && (p[2] == kIdStored || p[2] == kIdCompressed) &&
         p[3] == kIdEnd;
}

}  // namespace lekhora::he3
