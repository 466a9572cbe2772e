#pragma once
// Whole-file reading and replacing. Failures of the file system become Error
// with a file error number.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/error.h"

namespace lekhora {

/// The largest file the readers take unless told less: the word-list format
/// counts its lengths in 32-bit signed numbers, so nothing larger can be
/// encoded or decoded (2 GiB - 1 bytes).
inline constexpr std::uintmax_t kMaxFileBytes = 0x7FFFFFFF;

/// The largest file of the user's (a word list, the settings, the typed
/// text) that is read: far more than anyone keeps, little enough to hold.
inline constexpr std::uintmax_t kUserFileLimit = 16 * 1024 * 1024;

/// The error for a failed file operation with errno value err on path.
Error FileSystemError(int err, const std::string& source, const std::filesystem::path& path);

/// All bytes of a regular file, read through one descriptor; raises
/// FileSystemError with the given source. Anything that is not a regular file
/// (a FIFO, a device, a directory) is refused without waiting on it, and a file
/// that holds more than limit bytes, or grows past them while it is read,
/// raises the overflow error.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path,
                                        const std::string& source,
                                        std::uintmax_t limit = kMaxFileBytes);

/// Puts bytes into destination so that it is never seen half-written:
/// - a missing file or a regular file with one link: a new file with a short
///   name in the same folder is written, synced and renamed over it; a
///   replaced file keeps its mode, owner and group;
/// - a regular file with more than one hard link: written in place once the
///   bytes are complete (room for them is reserved first), so that every link
///   sees the new contents rather than the links being split;
/// - a symbolic link: its target is written as above; the link stays;
/// - a character device, FIFO or terminal: written directly;
/// - a directory or anything else: refused, nothing written.
/// On failure a regular destination is untouched and the new file removed;
/// SIGINT, SIGTERM or SIGHUP during the write also remove it.
void ReplaceFile(const std::filesystem::path& destination, const std::vector<std::uint8_t>& bytes,
                 const std::string& source);

/// True when the file system can tell the file's length (an empty file exists).
bool FileExists(const std::filesystem::path& path);

}  // namespace lekhora
