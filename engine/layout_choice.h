#pragma once
// Which layout is current, and which script the Phonetic layout types.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace lekhora {

inline constexpr std::u16string_view kPhoneticVimraLayout = u"Phonetic(Vimra)";
inline constexpr std::u16string_view kPhoneticLayout = u"Phonetic";
inline constexpr std::u16string_view kInscriptLayout = u"Inscript";
inline constexpr std::u16string_view kRemingtonLayout = u"Remington";

/// The four layout names, in menu order.
std::span<const std::u16string_view> LayoutNames();

/// Name of the current layout; read on every key.
extern std::u16string CurrentLayout;

/// Receives the caption of the on-screen key with that code. Keys the
/// keyboard does not show are the sink's to ignore.
using CaptionSink = std::function<void(int code, const std::u16string& caption)>;
void SetCaptionSink(CaptionSink sink);

/// Builds the two fixed tables and makes "Phonetic(Vimra)" current, as the
/// typing window does when it opens.
void LoadLayouts();

/// Stores name as the current layout, rebuilds its table when it has a base,
/// and repaints captions 32..127. An unknown name is stored and nothing more.
void SetLayout(std::u16string_view name);

struct OutputScript {
  std::u16string_view name;
  std::int16_t base;
};

/// The output-script list's items with their bases, in list order.
std::span<const OutputScript> OutputScripts();

/// Rebuilds the Phonetic table at the item's base and repaints captions
/// 1..127 from it. Makes "Phonetic" current if it was not, so what the
/// keyboard shows is what the user types; returns true when it did. An
/// unknown item changes nothing and returns false.
bool ChooseOutputScript(std::u16string_view item);

}  // namespace lekhora
