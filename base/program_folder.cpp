#include "base/program_folder.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

namespace lekhora {

std::filesystem::path ProgramFolder() {
  std::error_code ec;
#ifdef _WIN32
  std::vector<wchar_t> name(MAX_PATH);
  for (;;) {
    const DWORD got = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (got == 0) break;
    if (got < name.size()) return std::filesystem::path(name.data()).parent_path();
    name.resize(name.size() * 2);
  }
#else
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec && !exe.empty()) return exe.parent_path();
#endif
  // Not the current folder: the files beside the program are looked for,
  // and created, nowhere else.
  return {};
}

std::filesystem::path InProgramFolder(std::string_view name) {
  return ProgramFolder() / name;
}

}  // namespace lekhora
