#include "ui/typing/pad_settings.h"

#include <algorithm>
#include <cmath>

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

std::optional<PixelRect> PlaceOf(const SettingsValues& values, const std::string& group) {
  const auto x = IntValue(values, group + "/x");
  const auto y = IntValue(values, group + "/y");
  const auto width = IntValue(values, group + "/width");
  const auto height = IntValue(values, group + "/height");
  if (!x || !y || !width || !height) return std::nullopt;
  return PixelRect{*x, *y, *width, *height};
}

// The keys of a group in the order earlier pads wrote them.
void AddPlace(SettingsWriter& file, const char* group, const std::optional<PixelRect>& place,
              const std::optional<bool> shown) {
  if (!place && !shown) return;
  file.Group(group);
  if (place) file.Add("height", place->Height);
  if (shown) file.Add("shown", *shown);
  if (!place) return;
  file.Add("width", place->Width);
  file.Add("x", place->X);
  file.Add("y", place->Y);
}

}  // namespace

std::string SettingsFileText(const PadSettings& settings) {
  SettingsWriter file;
  file.Group("General");
  file.Add("conversion", settings.Conversion);
  file.Add("fontSize", settings.FontPoints);
  file.Add("keyboard", settings.Keyboard);
  file.Add("layout", std::u16string_view(settings.Layout));
  file.Add("outputScript", std::u16string_view(settings.OutputScript));
  AddPlace(file, "popup", settings.Popup, settings.PopupShown);
  file.Group("suggestions");
  file.Add("learn", std::u16string_view(settings.LearnWords ? u"on" : u"off"));
  file.Add("order", std::u16string_view(settings.MostUsedFirst ? u"used" : u"list"));
  AddPlace(file, "window", settings.Window, std::nullopt);
  return file.Text();
}

PadSettings PadSettingsOf(const SettingsValues& values) {
  PadSettings settings;
  settings.Layout = TextValue(values, "layout").value_or(settings.Layout);
  settings.OutputScript = TextValue(values, "outputScript").value_or(settings.OutputScript);
  settings.Conversion = BoolValue(values, "conversion", settings.Conversion);
  settings.Keyboard = BoolValue(values, "keyboard", settings.Keyboard);
  settings.FontPoints = NumberValue(values, "fontSize").value_or(settings.FontPoints);
  settings.Window = PlaceOf(values, "window");
  settings.Popup = PlaceOf(values, "popup");
  settings.PopupShown = BoolValue(values, "popup/shown", settings.PopupShown);
  // Any other order, or none, is the list's; learning stops only when told.
  settings.MostUsedFirst = TextValue(values, "suggestions/order") == u"used";
  settings.LearnWords = LearningOn(values);
  return settings;
}

std::optional<PadSettings> ParseSettingsFile(std::string_view text) {
  const std::optional<SettingsValues> values = ParseSettingsText(text);
  if (!values) return std::nullopt;
  return PadSettingsOf(*values);
}

PadSettings CheckedSettings(PadSettings settings) {
  const PadSettings defaults;
  if (!Known(LayoutNames(), settings.Layout) && settings.Layout != kIntelligentRomanLayout)
    settings.Layout = defaults.Layout;
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
