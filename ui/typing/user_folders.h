#pragma once
// The user's folders as the windows show them: paths to and from QString.

#include <QString>
#include <filesystem>

#include "userdata/user_folders.h"

namespace lekhora {

std::filesystem::path PathOf(const QString& path);
QString PathText(const std::filesystem::path& path);

}  // namespace lekhora
