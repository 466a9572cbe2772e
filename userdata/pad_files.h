#pragma once
// The settings file (in the user's configuration folder) and the typed text
// (in the user's data folder) as the pad reads and saves them. Only the
// process that holds the data folder's lock writes the text or tidies there;
// a damaged file is set aside before anything is saved under its name, and a
// file that cannot be used at all is left alone for the rest of the run.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "userdata/settings_file.h"
#include "userdata/user_folders.h"

namespace lekhora {

class FolderLock;

inline constexpr const char* kSettingsFile = "lekhora.conf";
inline constexpr const char* kTextFile = "text.txt";

enum class SaveResult {
  Saved,
  /// Not written, on purpose: the file is left alone, or the text is too
  /// large to be read back (said once in the notes).
  Kept,
  /// Writing failed: the folder cannot be made or written.
  Failed,
};

class PadFiles {
 public:
  /// Takes the data folder's lock (making the folder); without it the text
  /// is neither saved nor tidied.
  explicit PadFiles(UserFolders folders);
  ~PadFiles();
  PadFiles(const PadFiles&) = delete;
  PadFiles& operator=(const PadFiles&) = delete;

  /// False while another process may write the data folder (or this one
  /// cannot tell).
  bool HoldsDataFolder() const;

  /// The settings file's values; nothing when there is none the pad can use
  /// (missing, empty, damaged, not a settings file, unusable).
  std::optional<SettingsValues> ReadSettings();
  /// The saved text; empty when there is none the pad can use.
  std::u16string ReadText();

  SaveResult SaveSettings(std::string_view text);
  SaveResult SaveText(std::u16string_view text);

  /// What the user should hear since the last call: a file set aside or
  /// left alone, a text not saved, another pad holding the folder.
  std::vector<std::string> TakeNotes();

  const UserFolders& Folders() const { return folders_; }
  std::filesystem::path SettingsFile() const { return folders_.Config / kSettingsFile; }
  std::filesystem::path TextFile() const { return folders_.Data / kTextFile; }

 private:
  /// Sets a damaged file aside and says so; false when it must be left alone
  /// instead.
  bool SetAside(const std::filesystem::path& file, const std::string& problem);
  void LeaveAlone(const std::filesystem::path& file, const std::string& problem);

  UserFolders folders_;
  std::unique_ptr<FolderLock> lock_;
  bool settingsLeftAlone_ = false;
  bool textLeftAlone_ = false;
  bool textTooLargeTold_ = false;
  std::vector<std::string> notes_;
};

}  // namespace lekhora
