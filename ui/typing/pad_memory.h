#pragma once
// What the pad remembers of a run: the settings (an INI file in the user's
// configuration folder) and the typed text (in the user's data folder). Only
// the pad that holds the data folder's lock writes the text.
// Both come back after the start-up, applied as if the user had chosen them,
// and are saved within a second of a change and when the pad ends.

#include <QObject>
#include <filesystem>
#include <memory>
#include <optional>

#include "ui/pad_settings.h"
#include "ui/user_folders.h"

class QTimer;

namespace lekhora {

class FolderLock;
class FrmType;

/// How long after a change it is saved, also while typing goes on.
inline constexpr int kSaveDelayMilliseconds = 1000;
inline constexpr const char* kSettingsFile = "lekhora.conf";
inline constexpr const char* kTextFile = "text.txt";

class PadMemory final : public QObject {
  Q_OBJECT

 public:
  PadMemory(FrmType& pad, UserFolders folders);
  ~PadMemory() override;

  /// Reads the settings and the text and applies them to the pad; from then
  /// on every change is kept.
  void Restore();
  /// Writes what changed since the last save; nothing before Restore.
  void SaveNow();
  /// Something to keep has changed: it is saved within the delay.
  void Changed();

  /// False while another pad may write the user's data folder (or this one
  /// cannot tell): then the text is not saved and nothing there is tidied.
  bool HoldsDataFolder() const;

  std::filesystem::path SettingsFile() const { return folders_.Config / kSettingsFile; }
  std::filesystem::path TextFile() const { return folders_.Data / kTextFile; }
  QTimer& SaveTimer() const { return *timer_; }

 private:
  /// Takes the data folder's lock; without it the text is not saved.
  void LockTextFolder();
  std::optional<PadSettings> ReadSettings();
  std::u16string ReadText();
  void SaveSettings();
  void SaveText();
  /// A damaged file is set aside and the pad says so; false when it must be
  /// left alone instead.
  bool SetAside(const std::filesystem::path& file, const std::string& problem);
  void LeaveAlone(const std::filesystem::path& file, const std::string& problem);

  FrmType& pad_;
  UserFolders folders_;
  QTimer* timer_ = nullptr;
  std::unique_ptr<FolderLock> lock_;
  bool restored_ = false;
  bool settingsLeftAlone_ = false;
  bool textLeftAlone_ = false;
  bool textChanged_ = false;
  bool textTooLongTold_ = false;
  /// What the settings file holds as far as the pad knows.
  std::optional<PadSettings> saved_;
};

}  // namespace lekhora
