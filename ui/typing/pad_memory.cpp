#include "ui/typing/pad_memory.h"

#include <QTimer>
#include <chrono>
#include <exception>
#include <stdexcept>
#include <system_error>

#include "base/files.h"
#include "base/folder_lock.h"
#include "ui/kit/look.h"
#include "ui/typing/frm_type.h"
#include "ui/typing/type_box.h"
#include "ui/user_file.h"

namespace lekhora {
namespace {

constexpr const char* kSource = "PadMemory";

QString Name(const std::filesystem::path& file) {
  return QString::fromStdU16String(file.filename().u16string());
}

// Both files are the user's alone, and never written through a link that
// leads out of their folder.
ReplaceOptions UserFileOptions(const std::filesystem::path& folder) {
  ReplaceOptions options;
  options.Private = true;
  options.Within = folder;
  return options;
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

}  // namespace

PadMemory::PadMemory(FrmType& pad, UserFolders folders) : pad_(pad), folders_(std::move(folders)) {
  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("timSave"));
  timer_->setSingleShot(true);
  timer_->setInterval(kSaveDelayMilliseconds);
  connect(timer_, &QTimer::timeout, this, &PadMemory::SaveNow);
  LockTextFolder();
}

PadMemory::~PadMemory() = default;

bool PadMemory::SetAside(const std::filesystem::path& file, const std::string& problem) {
  if (const auto aside = SetDamagedFileAside(file, std::chrono::system_clock::now())) {
    pad_.AddTitleNote(tr("%1 was %2; it is kept as %3")
                          .arg(Name(file), QString::fromStdString(problem), Name(*aside)));
    return true;
  }
  LeaveAlone(file, problem);
  return false;
}

void PadMemory::LeaveAlone(const std::filesystem::path& file, const std::string& problem) {
  pad_.AddTitleNote(tr("%1 is %2; it is left as it is and not saved")
                        .arg(Name(file), QString::fromStdString(problem)));
}

std::optional<PadSettings> PadMemory::ReadSettings() {
  const std::filesystem::path file = SettingsFile();
  RemoveStaleTemporaries(file);
  const UserFileRead read = ReadUserFile(file, UserFileKind::Utf8Lines);
  if (read.State == UserFileState::Unusable) {
    settingsLeftAlone_ = true;
    LeaveAlone(file, read.Problem);
  }
  if (read.State == UserFileState::Damaged) settingsLeftAlone_ = !SetAside(file, read.Problem);
  if (read.State != UserFileState::Usable) return std::nullopt;

  const std::string text(read.Bytes.begin(), read.Bytes.end());
  std::optional<PadSettings> values = ParseSettingsFile(text);
  if (!values) settingsLeftAlone_ = !SetAside(file, "not a settings file");
  return values;
}

std::u16string PadMemory::ReadText() {
  const std::filesystem::path file = TextFile();
  // While another pad may be saving, what looks stale may be its save, and
  // a damaged file is its to deal with.
  const bool mine = HoldsDataFolder();
  if (mine) RemoveStaleTemporaries(file);
  const UserFileRead read = ReadUserFile(file, UserFileKind::Utf8Lines);
  switch (read.State) {
    case UserFileState::Usable:
      return TextFromFileBytes(read.Bytes);
    case UserFileState::Damaged:
      if (mine) textLeftAlone_ = !SetAside(file, read.Problem);
      return {};
    case UserFileState::Unusable:
      textLeftAlone_ = true;
      LeaveAlone(file, read.Problem);
      return {};
    case UserFileState::Missing:
    case UserFileState::Empty:
      return {};
  }
  return {};
}

void PadMemory::LockTextFolder() {
  // A folder that cannot be made holds no text of another pad either; saving
  // there fails with its own warning.
  if (!CreatePrivateFolders(folders_.Data)) return;
  lock_ = std::make_unique<FolderLock>(folders_.Data);
  const QString text = Name(TextFile());
  switch (lock_->State()) {
    case FolderLockState::Held:
      return;
    case FolderLockState::HeldElsewhere:
      pad_.AddTitleNote(tr("Another Lekhora is running; %1 is left to it and not saved").arg(text));
      break;
    case FolderLockState::Unsure:
      pad_.AddTitleNote(
          tr("%1 is not saved: the folder cannot be locked against another Lekhora").arg(text));
      break;
  }
  textLeftAlone_ = true;
}

bool PadMemory::HoldsDataFolder() const {
  return lock_ == nullptr || lock_->State() == FolderLockState::Held;
}

void PadMemory::Restore() {
  if (restored_) return;
  const std::optional<PadSettings> values = ReadSettings();
  pad_.ApplySettings(CheckedSettings(values.value_or(PadSettings{})));
  // What the file holds. Nothing is written before the first change or the
  // exit, so that a file the pad could not use stays as it is till then.
  if (values) saved_ = *values;
  pad_.RestoreText(ReadText());

  connect(&pad_.txtType(), &QPlainTextEdit::textChanged, this, [this] {
    textChanged_ = true;
    Changed();
  });
  connect(&pad_, &FrmType::settingsChanged, this, &PadMemory::Changed);
  restored_ = true;
}

void PadMemory::Changed() {
  // A change during typing does not put the save off again: at most the
  // last delay's worth is ever unsaved.
  if (restored_ && !timer_->isActive()) timer_->start();
}

void PadMemory::SaveNow() {
  if (!restored_) return;
  timer_->stop();
  SaveSettings();
  SaveText();
}

void PadMemory::SaveSettings() {
  if (settingsLeftAlone_) return;
  const PadSettings now = pad_.CurrentSettings();
  if (saved_ == now) return;
  try {
    if (!CreatePrivateFolders(folders_.Config)) throw std::runtime_error("no folder");
    ReplaceFile(SettingsFile(), Bytes(SettingsFileText(now)), kSource,
                UserFileOptions(folders_.Config));
  } catch (const std::exception&) {
    pad_.WarnNotSaved(folders_.Config);
    return;
  }
  saved_ = now;
}

void PadMemory::SaveText() {
  if (!textChanged_ || textLeftAlone_) return;
  const std::vector<std::uint8_t> bytes =
      TextFileBytes(pad_.txtType().toPlainText().toStdU16String());
  if (bytes.size() > kUserFileLimit) {
    // It could not be read back; the last text that fitted stays.
    if (!textTooLongTold_) pad_.AddTitleNote(tr("The text is larger than 16 MB and is not saved"));
    textTooLongTold_ = true;
    return;
  }
  try {
    if (!CreatePrivateFolders(folders_.Data)) throw std::runtime_error("no folder");
    ReplaceFile(TextFile(), bytes, kSource, UserFileOptions(folders_.Data));
  } catch (const std::exception&) {
    pad_.WarnNotSaved(folders_.Data);
    return;
  }
  textChanged_ = false;
}

}  // namespace lekhora
