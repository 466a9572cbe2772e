#include "userdata/settings_file.h"

#include <charconv>

#include "text/utf8.h"

namespace lekhora {

std::string_view TrimmedSetting(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool LearningOn(const SettingsValues& values) {
  const auto found = values.find("suggestions/learn");
  return found == values.end() || found->second != "off";
}

namespace {

// A value as the file holds it: in double quotes when it was written with
// them, with \" and \\ inside.
std::string Unquoted(std::string_view value) {
  if (value.size() < 2 || value.front() != '"' || value.back() != '"') return std::string(value);
  std::string text;
  for (std::size_t i = 1; i + 1 < value.size(); ++i) {
    if (value[i] == '\\' && i + 2 < value.size()) ++i;
    text += value[i];
  }
  return text;
}

std::string Quoted(std::u16string_view name) {
  const std::string text = EncodeUtf8(name);
  if (text.find_first_of("\"\\;#=\n\r") == std::string::npos && TrimmedSetting(text) == text)
    return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '\n' || c == '\r') continue;
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

template <class Number>
std::optional<Number> NumberOf(const SettingsValues& values, const std::string& key) {
  const auto found = values.find(key);
  if (found == values.end()) return std::nullopt;
  Number number{};
  const std::string& text = found->second;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

}  // namespace

std::optional<SettingsValues> ParseSettingsText(std::string_view text) {
  SettingsValues values;
  std::string group;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line =
        TrimmedSetting(text.substr(0, end == std::string_view::npos ? text.size() : end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      if (line.back() != ']' || line.size() < 3) return std::nullopt;
      group = TrimmedSetting(line.substr(1, line.size() - 2));
      if (group == "General") group.clear();
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0) return std::nullopt;
    const std::string key(TrimmedSetting(line.substr(0, equals)));
    values[group.empty() ? key : group + "/" + key] =
        Unquoted(TrimmedSetting(line.substr(equals + 1)));
  }
  return values;
}

std::optional<int> IntValue(const SettingsValues& values, const std::string& key) {
  return NumberOf<int>(values, key);
}

std::optional<double> NumberValue(const SettingsValues& values, const std::string& key) {
  return NumberOf<double>(values, key);
}

std::optional<std::u16string> TextValue(const SettingsValues& values, const std::string& key) {
  const auto found = values.find(key);
  if (found == values.end()) return std::nullopt;
  return Utf8ToUtf16(found->second);
}

bool BoolValue(const SettingsValues& values, const std::string& key, bool fallback) {
  const auto found = values.find(key);
  if (found == values.end()) return fallback;
  if (found->second == "true") return true;
  if (found->second == "false") return false;
  return fallback;
}

void SettingsWriter::Group(std::string_view name) {
  if (!text_.empty()) text_ += '\n';
  text_ += '[';
  text_ += name;
  text_ += "]\n";
}

void SettingsWriter::Line(std::string_view key, std::string_view value) {
  text_ += key;
  text_ += '=';
  text_ += value;
  text_ += '\n';
}

void SettingsWriter::Add(std::string_view key, bool value) {
  Line(key, value ? "true" : "false");
}

void SettingsWriter::Add(std::string_view key, int value) {
  Line(key, std::to_string(value));
}

void SettingsWriter::Add(std::string_view key, double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  Line(key, std::string_view(text, static_cast<std::size_t>(result.ptr - text)));
}

void SettingsWriter::Add(std::string_view key, std::u16string_view value) {
  Line(key, Quoted(value));
}

}  // namespace lekhora
