#pragma once
// The files the pad keeps in the user's folders, and what it does with one
// that is not as it wrote it: such a file gives the defaults and is never
// overwritten unseen. A damaged one is set aside under a new name, a file
// that cannot be read at all is left where it is and not written.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/files.h"

namespace lekhora {

enum class UserFileKind {
  /// UTF-16LE text, as the word lists are.
  WordList,
  /// UTF-8 text that ends with a line feed: the settings and the typed text.
  /// Everything the pad writes ends so, which is how a cut file shows.
  Utf8Lines,
};

enum class UserFileState {
  /// No file: the defaults, and the file may be made.
  Missing,
  /// The bytes are what was saved.
  Usable,
  /// The defaults; the file is left as it is and the next save replaces it.
  Empty,
  /// Truncated, binary or too large: the defaults, and the file is set aside
  /// before anything is saved under its name.
  Damaged,
  /// Unreadable or not a regular file: the defaults, and the pad leaves the
  /// file alone for the rest of its run.
  Unusable,
};

struct UserFileRead {
  UserFileState State = UserFileState::Missing;
  /// Why the file is damaged or unusable, for the user: "truncated",
  /// "binary", "larger than 16 MB", "unreadable", "not a regular file",
  /// "a link to a file outside its folder".
  std::string Problem;
  std::vector<std::uint8_t> Bytes;
};

/// Judges bytes read from a file of that kind.
UserFileRead JudgeUserFile(UserFileKind kind, std::vector<std::uint8_t> bytes);

/// Reads and judges the file at path. Only regular files are opened, so a
/// device or a pipe in the file's place never blocks the pad. For a file the
/// pad writes (written), a symbolic link to a file outside path's folder is
/// unusable, as the pad never writes there; a file only read may lead anywhere.
UserFileRead ReadUserFile(const std::filesystem::path& path, UserFileKind kind,
                          bool written = true);

/// The name a damaged file is set aside under, beside it:
/// "<name>.damaged-YYYYMMDD-HHMMSS" (UTC), with "-2", "-3" ... after it when
/// that name is taken. Nothing when no free name can be told (the name is too
/// long for the file system, the folder cannot be searched): the file is then
/// left where it is.
std::optional<std::filesystem::path> DamagedFileName(const std::filesystem::path& path,
                                                     std::chrono::system_clock::time_point now);

/// Renames path to its DamagedFileName; the new path, or nothing when the
/// rename failed.
std::optional<std::filesystem::path> SetDamagedFileAside(const std::filesystem::path& path,
                                                         std::chrono::system_clock::time_point now);

/// The typed text as the pad keeps it: UTF-8 with one final line feed.
std::vector<std::uint8_t> TextFileBytes(std::u16string_view text);
/// The text in the bytes of a usable text file.
std::u16string TextFromFileBytes(std::span<const std::uint8_t> bytes);

}  // namespace lekhora
