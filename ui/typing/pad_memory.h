#pragma once
// What the pad remembers of a run, on the window's side: the settings and
// the typed text (kept by PadFiles) come back after the start-up, applied as
// if the user had chosen them, and are saved within a second of a change and
// when the pad ends.

#include <QObject>
#include <filesystem>
#include <memory>
#include <optional>

#include "ui/typing/pad_settings.h"
#include "userdata/pad_files.h"

class QTimer;

namespace lekhora {

class FrmType;

/// How long after a change it is saved, also while typing goes on.
inline constexpr int kSaveDelayMilliseconds = 1000;

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
  bool HoldsDataFolder() const { return files_.HoldsDataFolder(); }

  std::filesystem::path SettingsFile() const { return files_.SettingsFile(); }
  std::filesystem::path TextFile() const { return files_.TextFile(); }
  QTimer& SaveTimer() const { return *timer_; }

 private:
  void SaveSettings();
  void SaveText();
  /// Tells the user what the files had to say.
  void PassNotes();

  FrmType& pad_;
  PadFiles files_;
  QTimer* timer_ = nullptr;
  bool restored_ = false;
  bool textChanged_ = false;
  /// What the settings file holds as far as the pad knows.
  std::optional<PadSettings> saved_;
};

}  // namespace lekhora
