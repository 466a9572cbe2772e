#include "ime/learning_switch.h"

#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/files.h"
#include "userdata/pad_files.h"
#include "userdata/settings_file.h"
#include "userdata/user_file.h"
#include "userdata/user_folders.h"

namespace lekhora {
namespace {

constexpr std::string_view kGroup = "suggestions";
constexpr std::string_view kKey = "learn";

// The settings text with the learning line set and every other line as it
// was: the rest of the file is the pad's.
std::string WithLearning(std::string_view text, bool on) {
  const std::string line = std::string(kKey) + (on ? "=on" : "=off");
  std::string out;
  std::string group;
  // Where a line for the group can go: after its header.
  std::optional<std::size_t> groupEnd;
  bool written = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view raw = text.substr(0, end == std::string_view::npos ? text.size() : end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    const std::string_view trimmed = TrimmedSetting(raw);
    if (trimmed.size() > 2 && trimmed.front() == '[' && trimmed.back() == ']') {
      group = TrimmedSetting(trimmed.substr(1, trimmed.size() - 2));
      out.append(raw).append("\n");
      if (group == kGroup && !groupEnd) groupEnd = out.size();
      continue;
    }
    const std::size_t equals = trimmed.find('=');
    if (group == kGroup && equals != std::string_view::npos &&
        TrimmedSetting(trimmed.substr(0, equals)) == kKey) {
      // Only the first such line counts; a repeat is left out.
      if (!written) out.append(line).append("\n");
      written = true;
      continue;
    }
    out.append(raw).append("\n");
  }
  if (written) return out;
  if (groupEnd) return out.insert(*groupEnd, line + "\n");
  if (!out.empty()) out += '\n';
  return out + "[" + std::string(kGroup) + "]\n" + line + "\n";
}

}  // namespace

std::filesystem::path DefaultSettingsFile() {
  const std::filesystem::path folder = LekhoraUserFolder(UserFolderKind::Config);
  return folder.empty() ? folder : folder / kSettingsFile;
}

LearningSwitch::LearningSwitch(WordRanking& ranking, std::filesystem::path settingsFile)
    : ranking_(ranking), file_(std::move(settingsFile)) {
  Reload();
}

bool LearningSwitch::Reload() {
  if (file_.empty()) return false;
  const UserFileRead read = ReadUserFile(file_, UserFileKind::Utf8Lines);
  // Without a file the pad can use, learning is on, as by default.
  bool on = true;
  if (read.State == UserFileState::Usable) {
    const std::optional<SettingsValues> values = ParseSettingsText(
        std::string_view(reinterpret_cast<const char*>(read.Bytes.data()), read.Bytes.size()));
    if (values) on = LearningOn(*values);
  }
  if (on == ranking_.Learning()) return false;
  ranking_.SetLearning(on);
  return true;
}

bool LearningSwitch::Set(bool on) {
  ranking_.SetLearning(on);
  if (file_.empty()) return false;
  const UserFileRead read = ReadUserFile(file_, UserFileKind::Utf8Lines);
  std::string text;
  switch (read.State) {
    case UserFileState::Usable:
      text.assign(read.Bytes.begin(), read.Bytes.end());
      // What the pad cannot read as settings is the pad's to set aside.
      if (!ParseSettingsText(text)) return false;
      break;
    case UserFileState::Missing:
    case UserFileState::Empty:
      break;
    case UserFileState::Damaged:
    case UserFileState::Unusable:
      return false;
  }
  const std::string changed = WithLearning(text, on);
  try {
    const std::filesystem::path folder = file_.parent_path();
    if (!CreatePrivateFolders(folder)) return false;
    ReplaceOptions options;
    options.Private = true;
    options.Within = folder;
    ReplaceFile(file_, std::vector<std::uint8_t>(changed.begin(), changed.end()), "settings",
                options);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

}  // namespace lekhora
