#pragma once
// Whole-file reading and replacing for the codec and its tools. Failures of the
// file system become lekhora::Error with a run-time file error number.

#include <filesystem>
#include <string>

#include "codec/error.h"
#include "codec/huffman.h"

namespace lekhora {

/// Run-time file error numbers used for failures of the file system.
inline constexpr std::int32_t kDiskFull = 61;
inline constexpr std::int32_t kPermissionDenied = 70;
inline constexpr std::int32_t kPathFileAccessError = 75;
inline constexpr std::int32_t kPathNotFound = 76;

/// The error for a failed file operation with errno value err on path.
Error FileSystemError(int err, const std::string& source, const std::filesystem::path& path);

/// All bytes of an existing file. A missing file raises "Source file does not
/// exist" with the given source; an empty one the subscript error.
Bytes ReadSourceFile(const std::filesystem::path& path, const std::string& source);

/// Writes bytes to a new file in destination's folder and renames it over
/// destination; on failure destination is untouched and the new file removed.
void ReplaceFile(const std::filesystem::path& destination, const Bytes& bytes,
                 const std::string& source);

}  // namespace lekhora
