#pragma once
// Reads the user word list and the help text.

#include <cstdint>
#include <filesystem>
#include <string>

namespace lekhora {

/// The most either file may hold: far more than a help text or a list of
/// words a person keeps, little enough that the windows stay quick with it.
inline constexpr std::uintmax_t kMaxTextFileBytes = std::uintmax_t{1} << 20;

/// What ReadWholeFile does when the file is not there.
enum class IfMissing {
  kCreateEmpty,  // the word lists: a missing list becomes an empty one to add to
  kReadEmpty,    // the help text in the program's folder, which is never written
};

/// The file's bytes taken as UTF-16LE code units, without any decoding. A
/// missing file reads empty; with IfMissing::kCreateEmpty it is also created
/// empty, but only where path says exactly where (an absolute path): a
/// relative one would land in whatever the current folder is. An odd last byte gives a unit whose
/// high byte is 0. Throws Error when the file can neither be read nor created, when it is not a
/// regular file (a FIFO or a device is never waited on or read) and when it
/// holds more than limit bytes.
std::u16string ReadWholeFile(const std::filesystem::path& path,
                             std::uintmax_t limit = kMaxTextFileBytes,
                             IfMissing missing = IfMissing::kCreateEmpty);

}  // namespace lekhora
