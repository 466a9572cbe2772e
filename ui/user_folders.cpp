#include "ui/user_folders.h"

#include <QDir>
#include <QStandardPaths>

#include "base/user_folders.h"

namespace lekhora {

#ifdef _WIN32
namespace {

constexpr const char* kFolderName = "lekhora";

std::filesystem::path Below(QStandardPaths::StandardLocation location) {
  return PathOf(
      QDir(QStandardPaths::writableLocation(location)).filePath(QString::fromLatin1(kFolderName)));
}

}  // namespace

UserFolders DefaultUserFolders() {
  return UserFolders{Below(QStandardPaths::GenericDataLocation),
                     Below(QStandardPaths::GenericConfigLocation)};
}
#else
UserFolders DefaultUserFolders() {
  // The input method finds the user's words through the same function.
  return UserFolders{LekhoraUserFolder(UserFolderKind::Data),
                     LekhoraUserFolder(UserFolderKind::Config)};
}
#endif
std::filesystem::path PathOf(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

QString PathText(const std::filesystem::path& path) {
  return QDir::toNativeSeparators(QString::fromStdU16String(path.u16string()));
}

}  // namespace lekhora
