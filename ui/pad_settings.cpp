#include "ui/pad_settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

#include "base/utf16.h"
#include "text/utf8.h"

namespace lekhora {
namespace {

// Larger than any screen: such a size is no window the user made.
constexpr int kMaxWindowPixels = 100000;
// The top band of a window is what it is dragged by.
constexpr int kBandHeight = 20;
constexpr int kBandWidthToHold = 60;
constexpr int kBandHeightToHold = 10;

bool Known(std::span<const std::u16string_view> names, std::u16string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

bool KnownScript(std::u16string_view name) {
  const auto scripts = OutputScripts();
  return std::any_of(scripts.begin(), scripts.end(),
                     [name](const OutputScript& script) { return script.name == name; });
}

std::optional<PixelRect> Checked(std::optional<PixelRect> rect) {
  if (!rect) return rect;
  const auto inRange = [](int v) { return v > -kMaxWindowPixels && v < kMaxWindowPixels; };
  if (rect->Width <= 0 || rect->Height <= 0 || rect->Width >= kMaxWindowPixels ||
      rect->Height >= kMaxWindowPixels || !inRange(rect->X) || !inRange(rect->Y))
    return std::nullopt;
  return rect;
}

// The overlap of two rectangles, empty when they do not meet.
PixelRect Overlap(const PixelRect& a, const PixelRect& b) {
  const int left = std::max(a.X, b.X);
  const int top = std::max(a.Y, b.Y);
  const int right = std::min(a.X + a.Width, b.X + b.Width);
  const int bottom = std::min(a.Y + a.Height, b.Y + b.Height);
  if (right <= left || bottom <= top) return {};
  return {left, top, right - left, bottom - top};
}

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// A value as the settings file holds it: in double quotes when it was
// written with them, with \" and \\ inside.
std::string Unquoted(std::string_view value) {
  if (value.size() < 2 || value.front() != '"' || value.back() != '"') return std::string(value);
  std::string text;
  for (std::size_t i = 1; i + 1 < value.size(); ++i) {
    if (value[i] == '\\' && i + 2 < value.size()) ++i;
    text += value[i];
  }
  return text;
}

std::optional<int> IntOf(const std::map<std::string, std::string>& values, const std::string& key) {
  const auto found = values.find(key);
  if (found == values.end()) return std::nullopt;
  int number = 0;
  const std::string& text = found->second;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

std::optional<PixelRect> PlaceOf(const std::map<std::string, std::string>& values,
                                 const std::string& group) {
  const auto x = IntOf(values, group + "/x");
  const auto y = IntOf(values, group + "/y");
  const auto width = IntOf(values, group + "/width");
  const auto height = IntOf(values, group + "/height");
  if (!x || !y || !width || !height) return std::nullopt;
  return PixelRect{*x, *y, *width, *height};
}

bool BoolOf(const std::map<std::string, std::string>& values, const std::string& key,
            bool fallback) {
  const auto found = values.find(key);
  if (found == values.end()) return fallback;
  if (found->second == "true") return true;
  if (found->second == "false") return false;
  return fallback;
}

// A name of the pad's own (a layout, a script) as one line: quoted when it
// holds what the reader would take apart.
std::string Quoted(std::u16string_view name) {
  const std::string text = EncodeUtf8(name);
  if (text.find_first_of("\"\\;#=\n\r") == std::string::npos && Trimmed(text) == text) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '\n' || c == '\r') continue;
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

std::string Bool(bool value) {
  return value ? "true" : "false";
}

std::string Number(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

void AppendPlace(std::string& text, const char* group, const std::optional<PixelRect>& place,
                 const std::string& extra) {
  if (!place && extra.empty()) return;
  text += std::string("\n[") + group + "]\n";
  if (place) {
    text += "height=" + std::to_string(place->Height) + "\n";
    text += extra;
    text += "width=" + std::to_string(place->Width) + "\n";
    text += "x=" + std::to_string(place->X) + "\n";
    text += "y=" + std::to_string(place->Y) + "\n";
  } else {
    text += extra;
  }
}

}  // namespace

std::string SettingsFileText(const PadSettings& settings) {
  std::string text = "[General]\n";
  text += "conversion=" + Bool(settings.Conversion) + "\n";
  text += "fontSize=" + Number(settings.FontPoints) + "\n";
  text += "keyboard=" + Bool(settings.Keyboard) + "\n";
  text += "layout=" + Quoted(settings.Layout) + "\n";
  text += "outputScript=" + Quoted(settings.OutputScript) + "\n";
  AppendPlace(text, "popup", settings.Popup, "shown=" + Bool(settings.PopupShown) + "\n");
  AppendPlace(text, "window", settings.Window, {});
  return text;
}

std::optional<PadSettings> ParseSettingsFile(std::string_view text) {
  std::map<std::string, std::string> values;
  std::string group;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line =
        Trimmed(text.substr(0, end == std::string_view::npos ? text.size() : end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      if (line.back() != ']' || line.size() < 3) return std::nullopt;
      group = Trimmed(line.substr(1, line.size() - 2));
      if (group == "General") group.clear();
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0) return std::nullopt;
    const std::string key(Trimmed(line.substr(0, equals)));
    values[group.empty() ? key : group + "/" + key] = Unquoted(Trimmed(line.substr(equals + 1)));
  }
  PadSettings settings;
  if (const auto found = values.find("layout"); found != values.end())
    settings.Layout = Utf8ToUtf16(found->second);
  if (const auto found = values.find("outputScript"); found != values.end())
    settings.OutputScript = Utf8ToUtf16(found->second);
  settings.Conversion = BoolOf(values, "conversion", settings.Conversion);
  settings.Keyboard = BoolOf(values, "keyboard", settings.Keyboard);
  if (const auto found = values.find("fontSize"); found != values.end()) {
    double points = 0;
    const std::string& number = found->second;
    const auto [stop, error] =
        std::from_chars(number.data(), number.data() + number.size(), points);
    if (error == std::errc() && stop == number.data() + number.size()) settings.FontPoints = points;
  }
  settings.Window = PlaceOf(values, "window");
  settings.Popup = PlaceOf(values, "popup");
  settings.PopupShown = BoolOf(values, "popup/shown", settings.PopupShown);
  return settings;
}

PadSettings CheckedSettings(PadSettings settings) {
  const PadSettings defaults;
  if (!Known(LayoutNames(), settings.Layout)) settings.Layout = defaults.Layout;
  if (settings.Layout != kPhoneticLayout || !KnownScript(settings.OutputScript))
    settings.OutputScript.clear();
  if (!std::isfinite(settings.FontPoints) || settings.FontPoints < kMinFontPoints ||
      settings.FontPoints > kMaxFontPoints)
    settings.FontPoints = defaults.FontPoints;
  settings.Window = Checked(settings.Window);
  settings.Popup = Checked(settings.Popup);
  return settings;
}

PixelRect RestoredPlace(PixelRect saved, std::span<const PixelRect> screens) {
  if (screens.empty()) return saved;
  int widest = 0;
  int tallest = 0;
  for (const PixelRect& screen : screens) {
    widest = std::max(widest, screen.Width);
    tallest = std::max(tallest, screen.Height);
  }
  saved.Width = std::min(saved.Width, widest);
  saved.Height = std::min(saved.Height, tallest);

  const PixelRect band{saved.X, saved.Y, saved.Width, std::min(saved.Height, kBandHeight)};
  for (const PixelRect& screen : screens) {
    const PixelRect held = Overlap(band, screen);
    if (held.Width >= std::min(band.Width, kBandWidthToHold) &&
        held.Height >= std::min(band.Height, kBandHeightToHold))
      return saved;
  }
  const PixelRect& primary = screens.front();
  saved.X = primary.X + (primary.Width - saved.Width) / 2;
  saved.Y = primary.Y + (primary.Height - saved.Height) / 2;
  return saved;
}

}  // namespace lekhora
