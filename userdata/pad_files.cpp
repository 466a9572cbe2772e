#include "userdata/pad_files.h"

#include <chrono>
#include <exception>
#include <stdexcept>

#include "base/files.h"
#include "base/folder_lock.h"
#include "userdata/user_file.h"

namespace lekhora {
namespace {

constexpr const char* kSource = "PadMemory";

std::string Name(const std::filesystem::path& file) {
  return file.filename().string();
}

// Both files are the user's alone, and never written through a link that
// leads out of their folder.
SaveResult Replace(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
  try {
    const std::filesystem::path folder = file.parent_path();
    if (!CreatePrivateFolders(folder)) throw std::runtime_error("no folder");
    ReplaceOptions options;
    options.Private = true;
    options.Within = folder;
    ReplaceFile(file, bytes, kSource, options);
  } catch (const std::exception&) {
    return SaveResult::Failed;
  }
  return SaveResult::Saved;
}

}  // namespace

PadFiles::PadFiles(UserFolders folders) : folders_(std::move(folders)) {
  // A folder that cannot be made holds no text of another pad either; saving
  // there fails with its own warning.
  if (!CreatePrivateFolders(folders_.Data)) return;
  lock_ = std::make_unique<FolderLock>(folders_.Data);
  const std::string text = Name(TextFile());
  switch (lock_->State()) {
    case FolderLockState::Held:
      return;
    case FolderLockState::HeldElsewhere:
      notes_.push_back("Another Lekhora is running; " + text + " is left to it and not saved");
      break;
    case FolderLockState::Unsure:
      notes_.push_back(text + " is not saved: the folder cannot be locked against another Lekhora");
      break;
  }
  textLeftAlone_ = true;
}

PadFiles::~PadFiles() = default;

bool PadFiles::HoldsDataFolder() const {
  return lock_ == nullptr || lock_->State() == FolderLockState::Held;
}

bool PadFiles::SetAside(const std::filesystem::path& file, const std::string& problem) {
  if (const auto aside = SetDamagedFileAside(file, std::chrono::system_clock::now())) {
    notes_.push_back(Name(file) + " was " + problem + "; it is kept as " + Name(*aside));
    return true;
  }
  LeaveAlone(file, problem);
  return false;
}

void PadFiles::LeaveAlone(const std::filesystem::path& file, const std::string& problem) {
  notes_.push_back(Name(file) + " is " + problem + "; it is left as it is and not saved");
}

std::optional<SettingsValues> PadFiles::ReadSettings() {
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
  std::optional<SettingsValues> values = ParseSettingsText(text);
  if (!values) settingsLeftAlone_ = !SetAside(file, "not a settings file");
  return values;
}

std::u16string PadFiles::ReadText() {
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

SaveResult PadFiles::SaveSettings(std::string_view text) {
  if (settingsLeftAlone_) return SaveResult::Kept;
  return Replace(SettingsFile(), std::vector<std::uint8_t>(text.begin(), text.end()));
}

SaveResult PadFiles::SaveText(std::u16string_view text) {
  if (textLeftAlone_) return SaveResult::Kept;
  const std::vector<std::uint8_t> bytes = TextFileBytes(text);
  if (bytes.size() > kUserFileLimit) {
    // It could not be read back; the last text that fitted stays.
    if (!textTooLargeTold_) notes_.push_back("The text is larger than 16 MB and is not saved");
    textTooLargeTold_ = true;
    return SaveResult::Kept;
  }
  return Replace(TextFile(), bytes);
}

std::vector<std::string> PadFiles::TakeNotes() {
  std::vector<std::string> notes;
  notes.swap(notes_);
  return notes;
}

}  // namespace lekhora
