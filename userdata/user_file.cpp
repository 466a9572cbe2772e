#include "userdata/user_file.h"

#include <cstdio>
#include <exception>
#include <string_view>
#include <system_error>

#include "base/files.h"
#include "base/utf16.h"
#include "text/utf8.h"

namespace lekhora {
namespace {

constexpr const char* kSource = "UserFile";

UserFileRead Verdict(UserFileState state, std::string problem) {
  UserFileRead read;
  read.State = state;
  read.Problem = std::move(problem);
  return read;
}

// No text of the pad holds U+0000, and the two noncharacters U+FFFE and
// U+FFFF are what UTF-16 read in the wrong byte order begins with. Other
// control characters can come in through the clipboard and stay allowed.
bool IsForeignUnit(char16_t c) {
  return c == 0 || c == 0xFFFE || c == 0xFFFF;
}

std::string JudgeWordList(std::span<const std::uint8_t> bytes) {
  if (bytes.size() % 2 != 0) return "truncated";
  const std::u16string text = BytesToUtf16(bytes);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (IsHighSurrogate(unit)) {
      if (i + 1 == text.size()) return "truncated";
      if (!IsLowSurrogate(text[i + 1])) return "binary";
      ++i;
    } else if (IsLowSurrogate(unit) || IsForeignUnit(unit)) {
      return "binary";
    }
  }
  return {};
}

// Bytes from offset on are the start of one multi-byte sequence that the
// end of the file cut short.
bool CutSequence(std::span<const std::uint8_t> bytes, std::size_t offset) {
  const std::uint8_t lead = bytes[offset];
  const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xC2 && lead <= 0xDF ? 2
                                                            : 0;
  const std::size_t left = bytes.size() - offset;
  if (length == 0 || left >= length) return false;
  for (std::size_t i = offset + 1; i < bytes.size(); ++i)
    if ((bytes[i] & 0xC0) != 0x80) return false;
  return true;
}

std::string JudgeUtf8Lines(std::span<const std::uint8_t> bytes) {
  const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const Utf8Result decoded = DecodeUtf8(view);
  if (decoded.badOffset) return CutSequence(bytes, *decoded.badOffset) ? "truncated" : "binary";
  for (const char16_t unit : decoded.text)
    if (IsForeignUnit(unit)) return "binary";
  if (bytes.back() != '\n') return "truncated";
  return {};
}

std::string Timestamp(std::chrono::system_clock::time_point now) {
  using namespace std::chrono;
  const auto day = floor<days>(now);
  const year_month_day date{day};
  const hh_mm_ss time{floor<seconds>(now - day)};
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02u%02u-%02d%02d%02d", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

}  // namespace

UserFileRead JudgeUserFile(UserFileKind kind, std::vector<std::uint8_t> bytes) {
  if (bytes.empty()) return Verdict(UserFileState::Empty, {});
  if (bytes.size() > kUserFileLimit) return Verdict(UserFileState::Damaged, "larger than 16 MB");
  std::string problem =
      kind == UserFileKind::WordList ? JudgeWordList(bytes) : JudgeUtf8Lines(bytes);
  if (!problem.empty()) return Verdict(UserFileState::Damaged, std::move(problem));
  UserFileRead read = Verdict(UserFileState::Usable, {});
  read.Bytes = std::move(bytes);
  return read;
}

UserFileRead ReadUserFile(const std::filesystem::path& path, UserFileKind kind, bool written) {
  if (written && LinkLeadsOutside(path, path.parent_path()))
    return Verdict(UserFileState::Unusable, "a link to a file outside its folder");
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found)
    return Verdict(UserFileState::Missing, {});
  if (ec) return Verdict(UserFileState::Unusable, "unreadable");
  if (!std::filesystem::is_regular_file(status))
    return Verdict(UserFileState::Unusable, "not a regular file");
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) return Verdict(UserFileState::Unusable, "unreadable");
  // Too large to be the pad's own: not even read.
  if (size > kUserFileLimit) return Verdict(UserFileState::Damaged, "larger than 16 MB");
  std::vector<std::uint8_t> bytes;
  try {
    bytes = ReadFileBytes(path, kSource);
  } catch (const std::exception&) {
    return Verdict(UserFileState::Unusable, "unreadable");
  }
  return JudgeUserFile(kind, std::move(bytes));
}

std::optional<std::filesystem::path> DamagedFileName(const std::filesystem::path& path,
                                                     std::chrono::system_clock::time_point now) {
  std::filesystem::path first = path;
  first += ".damaged-";
  first += Timestamp(now);
  // Enough for every damaged file of one second; past that something else
  // is wrong with the folder.
  constexpr int kMostTries = 1000;
  for (int n = 1; n <= kMostTries; ++n) {
    std::filesystem::path aside = first;
    if (n > 1) {
      aside += "-";
      aside += std::to_string(n);
    }
    std::error_code ec;
    const auto type = std::filesystem::symlink_status(aside, ec).type();
    if (type == std::filesystem::file_type::not_found) return aside;
    // Any other failure (a name too long, a folder that cannot be searched)
    // says nothing about the next name either.
    if (type == std::filesystem::file_type::none || type == std::filesystem::file_type::unknown)
      return std::nullopt;
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> SetDamagedFileAside(
    const std::filesystem::path& path, std::chrono::system_clock::time_point now) {
  const std::optional<std::filesystem::path> aside = DamagedFileName(path, now);
  if (!aside) return std::nullopt;
  std::error_code ec;
  std::filesystem::rename(path, *aside, ec);
  if (ec) return std::nullopt;
  return aside;
}

std::vector<std::uint8_t> TextFileBytes(std::u16string_view text) {
  const std::string utf8 = EncodeUtf8(text) + "\n";
  return std::vector<std::uint8_t>(utf8.begin(), utf8.end());
}

std::u16string TextFromFileBytes(std::span<const std::uint8_t> bytes) {
  std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (!view.empty() && view.back() == '\n') view.remove_suffix(1);
  return Utf8ToUtf16(view);
}

}  // namespace lekhora
