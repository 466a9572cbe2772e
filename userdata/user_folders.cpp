#include "userdata/user_folders.h"

#include <cstdlib>
#include <vector>

#include "base/data_files.h"

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace lekhora {
namespace {

// Named here rather than after the application, so that every program that
// shows the pad (and its tests) keeps the user's files in the same place.
constexpr const char* kFolderName = "lekhora";

std::filesystem::path AbsoluteFromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return {};
  std::filesystem::path path(value);
  return path.is_absolute() ? path : std::filesystem::path();
}

#ifndef _WIN32
std::filesystem::path HomeFolder() {
  std::filesystem::path home = AbsoluteFromEnvironment("HOME");
  if (home.empty()) {
    std::vector<char> buffer(16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr) {
      const std::filesystem::path account(found->pw_dir);
      if (account.is_absolute()) home = account;
    }
  }
  return home;
}
#endif

}  // namespace

std::filesystem::path LekhoraUserFolder(UserFolderKind kind) {
#ifdef _WIN32
  (void)kind;
  const std::filesystem::path local = AbsoluteFromEnvironment("LOCALAPPDATA");
  return local.empty() ? local : local / kFolderName;
#else
  const bool data = kind == UserFolderKind::Data;
  std::filesystem::path base = AbsoluteFromEnvironment(data ? "XDG_DATA_HOME" : "XDG_CONFIG_HOME");
  if (base.empty()) {
    const std::filesystem::path home = HomeFolder();
    if (home.empty()) return {};
    base = data ? home / ".local" / "share" : home / ".config";
  }
  return base / kFolderName;
#endif
}

UserFolders DefaultUserFolders() {
  return UserFolders{LekhoraUserFolder(UserFolderKind::Data),
                     LekhoraUserFolder(UserFolderKind::Config)};
}

std::filesystem::path UserWordsFile() {
  const std::filesystem::path folder = LekhoraUserFolder(UserFolderKind::Data);
  if (folder.empty()) return {};
  return folder / kCustomWordsFile;
}

}  // namespace lekhora
