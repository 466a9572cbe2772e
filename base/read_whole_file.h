#pragma once
// Reads the user word list and the help text.

#include <filesystem>
#include <string>

namespace lekhora {

/// The file's bytes taken as UTF-16LE code units, without any decoding. A
/// missing file is created empty; an odd last byte gives a unit whose high byte
/// is 0. Throws Error when the file can neither be read nor created.
std::u16string ReadWholeFile(const std::filesystem::path& path);

}  // namespace lekhora
