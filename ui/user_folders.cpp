#include "ui/user_folders.h"

#include <QDir>
#include <QStandardPaths>

namespace lekhora {
namespace {

// Named here rather than after the application, so that every program that
// shows the pad (and its tests) keeps the user's files in the same place.
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

std::filesystem::path PathOf(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

QString PathText(const std::filesystem::path& path) {
  return QDir::toNativeSeparators(QString::fromStdU16String(path.u16string()));
}

}  // namespace lekhora
