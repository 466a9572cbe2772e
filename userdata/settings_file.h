#pragma once
// The settings file's format: INI lines ("[group]", "key=value", ";" or "#"
// comments) in UTF-8. Which keys there are and what they mean is the pad's;
// this reads and writes the lines.

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace lekhora {

/// The values of a settings file by "group/key" ("key" alone in the group
/// "General" and before any group), each as written, quotes taken off.
using SettingsValues = std::map<std::string, std::string>;

/// The values of text; nothing when it is not such a file: a line that is
/// neither blank, a comment, a "[group]" nor a "key=value".
std::optional<SettingsValues> ParseSettingsText(std::string_view text);

/// Typed values: nothing (or fallback) when the key is missing or its value
/// is not of that type.
std::optional<int> IntValue(const SettingsValues& values, const std::string& key);
std::optional<double> NumberValue(const SettingsValues& values, const std::string& key);
std::optional<std::u16string> TextValue(const SettingsValues& values, const std::string& key);
bool BoolValue(const SettingsValues& values, const std::string& key, bool fallback);

/// Whether committed words are learned ("[suggestions] learn="): only "off"
/// stops it, so a missing or unknown value keeps learning on. The pad and the
/// input method read the one line.
bool LearningOn(const SettingsValues& values);

/// text without the blanks a line may have around its parts.
std::string_view TrimmedSetting(std::string_view text);

/// Writes a settings file a line at a time; every line ends with a line feed.
class SettingsWriter {
 public:
  /// Starts a group: the lines after it belong to it.
  void Group(std::string_view name);
  void Add(std::string_view key, bool value);
  void Add(std::string_view key, int value);
  void Add(std::string_view key, double value);
  /// A name as one line: quoted when it holds what the reader would take
  /// apart (a line break in it is dropped).
  void Add(std::string_view key, std::u16string_view value);

  const std::string& Text() const { return text_; }

 private:
  void Line(std::string_view key, std::string_view value);
  std::string text_;
};

}  // namespace lekhora
