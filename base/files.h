#pragma once
// Whole-file reading and replacing. Failures of the file system become Error
// with a file error number.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/error.h"

namespace lekhora {

/// The error for a failed file operation with errno value err on path.
Error FileSystemError(int err, const std::string& source, const std::filesystem::path& path);

/// All bytes of a file, read through one descriptor; raises FileSystemError
/// with the given source.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path,
                                        const std::string& source);

/// Writes bytes to a new file in destination's folder and renames it over
/// destination; on failure destination is untouched and the new file removed.
void ReplaceFile(const std::filesystem::path& destination, const std::vector<std::uint8_t>& bytes,
                 const std::string& source);

/// True when the file system can tell the file's length (an empty file exists).
bool FileExists(const std::filesystem::path& path);

}  // namespace lekhora
