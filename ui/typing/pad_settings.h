#pragma once
// What the pad remembers between runs besides the words and the text, and
// how a remembered value is checked before it is used.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/layout_choice.h"
#include "ui/geometry/geometry.h"
#include "userdata/settings_file.h"

namespace lekhora {

struct PadSettings {
  std::u16string Layout{kPhoneticVimraLayout};
  /// The output-script item chosen since the layout was; empty when none.
  std::u16string OutputScript;
  bool Conversion = true;
  bool Keyboard = true;
  double FontPoints = 12;
  /// Window places in pixels; none until the window has been placed.
  std::optional<PixelRect> Window;
  std::optional<PixelRect> Popup;
  bool PopupShown = true;
  /// The popup's words best ranked first ("order=used") rather than in the
  /// list's order around the first match ("order=list").
  bool MostUsedFirst = false;
  /// Whether the words typed are learned into the history ("learn=on|off").
  bool LearnWords = true;

  friend bool operator==(const PadSettings&, const PadSettings&) = default;
};

/// settings with every value the pad cannot use replaced by its default: an
/// unknown layout or script, a font size outside the font image's range, a
/// window without area or of absurd size. A script is kept only with the
/// layout it types in.
PadSettings CheckedSettings(PadSettings settings);

/// The settings file's text: INI lines ("[group]", "key=value") in UTF-8,
/// ending with a line feed, holding the pad's own keys only, so that it is
/// always small enough to be read back.
std::string SettingsFileText(const PadSettings& settings);

/// The pad's keys among a settings file's values, unchecked (missing keys
/// keep their defaults).
PadSettings PadSettingsOf(const SettingsValues& values);

/// The values of a settings file, unchecked (missing keys keep their
/// defaults, unknown keys are passed over); nothing when the text is not such
/// a file: a line that is neither blank, a comment (";" or "#"), a "[group]"
/// nor a "key=value".
std::optional<PadSettings> ParseSettingsFile(std::string_view text);

/// Where a window remembered at saved comes back, given the available areas
/// of the screens now present (the primary one first): where it was when
/// enough of its top band lies on a screen to take hold of it, else the same
/// size centred on the primary screen. Never larger than the largest screen.
PixelRect RestoredPlace(PixelRect saved, std::span<const PixelRect> screens);

}  // namespace lekhora
