#include "ui/typing/user_folders.h"

#include <QDir>

namespace lekhora {

std::filesystem::path PathOf(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

QString PathText(const std::filesystem::path& path) {
  return QDir::toNativeSeparators(QString::fromStdU16String(path.u16string()));
}

}  // namespace lekhora
