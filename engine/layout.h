#pragma once
// A keyboard layout as a value: what a typed key gives, asked key by key with
// what was typed before it. Every typist (the pad, the converter, each input
// method session) holds its own; one layout can serve many at once.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace lekhora {

inline constexpr std::u16string_view kPhoneticVimraLayout = u"Phonetic(Vimra)";
inline constexpr std::u16string_view kPhoneticLayout = u"Phonetic";
inline constexpr std::u16string_view kInscriptLayout = u"Inscript";
inline constexpr std::u16string_view kRemingtonLayout = u"Remington";
/// Hindi as people spell it in Latin letters: no key table, the letters are
/// composed into words (RomanComposition).
inline constexpr std::u16string_view kIntelligentRomanLayout = u"IntelligentRoman";

/// The four layout names, in menu order.
std::span<const std::u16string_view> LayoutNames();

struct OutputScript {
  std::u16string_view name;
  std::int16_t base;
};

/// The output-script list's items with their bases, in list order.
std::span<const OutputScript> OutputScripts();

/// What came before a key, as far as a layout may compose with it.
struct KeyContext {
  /// The previous converted key above 32; 0 after a word break.
  std::int32_t lastKey = 0;
  /// The previous key turned "A" into an independent vowel.
  bool vowelOnA = false;
  /// Ctrl is held with the key.
  bool ctrl = false;
  /// The unit before the caret; 0 at the start of the text.
  char16_t before = 0;
};

/// What a key gives. The text points into the layout (or static storage) and
/// lives as long as the layout does.
struct KeyOutput {
  std::u16string_view text;
  /// The text replaces the character before the caret.
  bool replacePrevious = false;
  /// This key turned "A" into an independent vowel (see KeyContext).
  bool vowelOnA = false;
  /// The layout takes the key for nothing: no text, and the box must not
  /// type it either.
  bool swallowed = false;
};

class Layout {
 public:
  /// Character codes a layout is asked about: 0 to kLastKey.
  static constexpr int kLastKey = 128;

  explicit Layout(std::u16string name) : name_(std::move(name)) {}
  virtual ~Layout() = default;
  Layout(const Layout&) = delete;
  Layout& operator=(const Layout&) = delete;

  /// One of LayoutNames(), or a name no layout has (which types nothing).
  const std::u16string& Name() const { return name_; }
  /// What the key with this character code types on its own: the caption of
  /// its on-screen key. Empty for a key the layout leaves alone and for codes
  /// outside 0..kLastKey.
  virtual std::u16string_view Caption(int code) const = 0;
  /// What the key (0..kLastKey) types after what context says came before.
  virtual KeyOutput Compose(char16_t key, const KeyContext& context) const = 0;

 private:
  std::u16string name_;
};

/// The layout of that name at the default base; with a script (an
/// OutputScripts() item) the Phonetic layout at that script's base, as
/// choosing the script in the pad does; IntelligentRoman's keys give their own
/// printable ASCII characters (its letters are composed into words elsewhere).
/// Null for an unknown layout or script.
std::shared_ptr<const Layout> MakeLayout(std::u16string_view name, std::u16string_view script = {});

/// The independent vowel that a vowel key (or a doubled one) gives after "A"
/// in Phonetic(Vimra); empty for anything else.
std::u16string addMatraToA(std::u16string_view keys);

/// A layout of a name no layout has: every key types nothing.
std::shared_ptr<const Layout> MakeEmptyLayout(std::u16string_view name);

}  // namespace lekhora
