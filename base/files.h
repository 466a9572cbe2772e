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

/// How ReplaceFile treats a file of the user's.
struct ReplaceOptions {
  /// A file the replace creates (and its temporary) is readable by its owner
  /// alone, whatever the umask; a file replaced keeps its own mode.
  bool Private = false;
  /// When not empty, a symbolic link is written through only when the file it
  /// leads to lies in this folder (or below it); a link that leads elsewhere is
  /// refused and nothing is written.
  std::filesystem::path Within;
};

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
                 const std::string& source, const ReplaceOptions& options = {});

/// A name for the temporary a replace of destination writes beside it, new at
/// each call: short, so that a destination whose own name is near the
/// file-name limit is still writable, and marked with the destination's name
/// so that what a killed save left behind can be told apart.
std::filesystem::path TemporaryNameFor(const std::filesystem::path& destination);

/// True when name (a file name without folder) is one that TemporaryNameFor
/// gives for destination.
bool IsTemporaryNameFor(const std::filesystem::path& destination,
                        const std::filesystem::path& name);

/// Removes the temporaries that replaces of destination left beside it when
/// the process was killed while writing, and those of earlier versions, whose
/// names carried no mark; only regular files of such names go.
/// For a file that only one process writes, when it is not writing.
void RemoveStaleTemporaries(const std::filesystem::path& destination);

/// True when path is a symbolic link (also a dangling one) that leads to a
/// file outside folder.
bool LinkLeadsOutside(const std::filesystem::path& path, const std::filesystem::path& folder);

/// Makes folder and every missing folder above it, the new ones readable by
/// their owner alone (0700) whatever the umask; folders that exist keep their
/// mode. False when folder is not a folder afterwards.
bool CreatePrivateFolders(const std::filesystem::path& folder);

/// True when the file system can tell the file's length (an empty file exists).
bool FileExists(const std::filesystem::path& path);

}  // namespace lekhora
