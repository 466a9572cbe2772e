#pragma once
// The user's own folders, where the pad keeps what belongs to the user: the
// word list and the typed text in the data folder, the settings in the
// configuration folder. The program's folder is never written.

#include <QString>
#include <filesystem>

namespace lekhora {

struct UserFolders {
  std::filesystem::path Data;
  std::filesystem::path Config;
};

/// $XDG_DATA_HOME/lekhora (~/.local/share/lekhora) and $XDG_CONFIG_HOME/lekhora
/// (~/.config/lekhora) on Linux, the AppData folders on Windows.
UserFolders DefaultUserFolders();

std::filesystem::path PathOf(const QString& path);
QString PathText(const std::filesystem::path& path);

}  // namespace lekhora
