#include "userdata/user_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace lekhora {
namespace {

// Sets an environment variable for one test and puts it back afterwards.
class Environment {
 public:
  Environment(const char* name, const char* value) : name_(name) {
    if (const char* before = std::getenv(name)) before_ = before;
    if (value != nullptr)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~Environment() {
    if (before_)
      ::setenv(name_, before_->c_str(), 1);
    else
      ::unsetenv(name_);
  }
  Environment(const Environment&) = delete;
  Environment& operator=(const Environment&) = delete;

 private:
  const char* name_;
  std::optional<std::string> before_;
};

TEST(UserFolders, TheXdgFoldersWhenAbsoluteElseBelowHome) {
  const Environment home("HOME", "/home/someone");
  {
    const Environment data("XDG_DATA_HOME", "/data");
    const Environment config("XDG_CONFIG_HOME", "/config");
    const UserFolders folders = DefaultUserFolders();
    EXPECT_EQ(folders.Data, std::filesystem::path("/data/lekhora"));
    EXPECT_EQ(folders.Config, std::filesystem::path("/config/lekhora"));
    // The pad and the input method find the one list through this.
    EXPECT_EQ(UserWordsFile(), std::filesystem::path("/data/lekhora/customwords.txt"));
  }
  // Unset, empty or relative: a relative folder would name another place from
  // every working folder, so the rules say to ignore it.
  for (const char* value : {static_cast<const char*>(nullptr), "", "relative/folder"}) {
    const Environment data("XDG_DATA_HOME", value);
    const Environment config("XDG_CONFIG_HOME", value);
    const UserFolders folders = DefaultUserFolders();
    EXPECT_EQ(folders.Data, std::filesystem::path("/home/someone/.local/share/lekhora"));
    EXPECT_EQ(folders.Config, std::filesystem::path("/home/someone/.config/lekhora"));
    EXPECT_EQ(UserWordsFile(), folders.Data / "customwords.txt");
  }
}

TEST(UserFolders, WithoutAUsableHomeTheAccountsHomeFolder) {
  const Environment data("XDG_DATA_HOME", nullptr);
  const Environment home("HOME", "relative");
  const std::filesystem::path folder = LekhoraUserFolder(UserFolderKind::Data);
  // The account database has a home for every user that runs the tests; it
  // is an absolute folder, never the relative $HOME.
  if (folder.empty()) GTEST_SKIP() << "the account has no home folder";
  EXPECT_TRUE(folder.is_absolute());
  EXPECT_EQ(folder.filename(), "lekhora");
  EXPECT_EQ(folder.parent_path().filename(), "share");
}

}  // namespace
}  // namespace lekhora
