#pragma once
// The word list's compression: a static Huffman code over byte values in the
// HE3 format (see FORMAT.md). Every failure throws lekhora::Error and leaves the
// caller's buffer and files as they were.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "base/files.h"

namespace lekhora {

using Bytes = std::vector<std::uint8_t>;

/// Replaces buffer[0, length) by the bytes it encodes; length must lie within the buffer.
void Decode(Bytes& buffer, std::int32_t length);

/// Reads a whole file and returns the bytes it encodes.
Bytes DecodeFile(const std::filesystem::path& path);

/// Replaces buffer[0, length) by its HE3 encoding; length must lie within the buffer.
void Encode(Bytes& buffer, std::int32_t length);

/// Encodes a whole file into destination, which is replaced only once the new
/// contents are completely written.
void EncodeFile(const std::filesystem::path& source, const std::filesystem::path& destination);

}  // namespace lekhora
