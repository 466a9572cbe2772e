#pragma once
// The folder of the running executable, where the word lists and the help
// text live.

#include <filesystem>
#include <string_view>

namespace lekhora {

/// Folder of the running executable, as the platform's own path (bytes on
/// POSIX, so a name that is not UTF-8 stays exact); empty if it cannot be told.
std::filesystem::path ProgramFolder();

/// name joined to the program's folder with the platform's separator.
std::filesystem::path InProgramFolder(std::string_view name);

}  // namespace lekhora
