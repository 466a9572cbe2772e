#pragma once
// A home of the test's own: HOME and the XDG folders point into a fresh
// temporary folder, so that a test never reads or writes the files of the
// person running it and never finds what an earlier run left. Made before
// the application object, which reads some of these once.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>
#include <filesystem>

namespace lekhora::testing {

class PrivateUserFolders {
 public:
  PrivateUserFolders() {
    if (!root_.isValid()) qFatal("no temporary folder for the test's home");
    Set("HOME", "home");
    Set("XDG_CONFIG_HOME", "home/.config");
    Set("XDG_DATA_HOME", "home/.local/share");
    Set("XDG_CACHE_HOME", "home/.cache");
    Set("XDG_RUNTIME_DIR", "runtime");
    QFile::setPermissions(Path("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }

  /// A folder below the temporary root, e.g. "home/.local/share/lekhora".
  QString Path(const QString& below) const { return QDir(root_.path()).filePath(below); }
  std::filesystem::path Fs(const QString& below) const {
    return std::filesystem::path(Path(below).toStdU16String());
  }
  std::filesystem::path DataFolder() const { return Fs("home/.local/share/lekhora"); }
  std::filesystem::path ConfigFolder() const { return Fs("home/.config/lekhora"); }

 private:
  void Set(const char* name, const char* below) {
    const QString path = Path(QString::fromLatin1(below));
    QDir().mkpath(path);
    qputenv(name, QFile::encodeName(path));
  }

  QTemporaryDir root_;
};

}  // namespace lekhora::testing
