#include "ui/geometry/keyboard_caps.h"

#include <array>
#include <string_view>

namespace lekhora {
namespace {

struct Row {
  int Top;
  int FirstLeft;
  std::u16string_view Unshifted;
  std::u16string_view Shifted;
};

constexpr std::array kRows{
    Row{60, 240, u"`1234567890-=", u"~!@#$%^&*()_+"},
    Row{600, 600, u"qwertyuiop[]", u"QWERTYUIOP{}"},
    Row{1140, 900, u"asdfghjkl;'", u"ASDFGHJKL:\""},
    Row{1680, 1140, u"zxcvbnm,./\\", u"ZXCVBNM<>?|"},
};

// Caps in a row are 480 wide with a gap of 60.
constexpr int kCapPitch = 540;

constexpr std::array<KeyCap, kKeyCapCount> BuildCaps() {
  std::array<KeyCap, kKeyCapCount> caps{};
  std::size_t n = 0;
  for (const Row& row : kRows) {
    for (std::size_t i = 0; i < row.Unshifted.size(); ++i) {
      const int left = row.FirstLeft + static_cast<int>(i) * kCapPitch;
      caps[n++] = {row.Unshifted[i], row.Shifted[i], {left, row.Top, kKeyCapSize, kKeyCapSize}};
    }
  }
  return caps;
}

constexpr auto kCaps = BuildCaps();
static_assert(kRows[0].Unshifted.size() + kRows[1].Unshifted.size() + kRows[2].Unshifted.size() +
                  kRows[3].Unshifted.size() ==
              kKeyCapCount);

}  // namespace

std::span<const KeyCap> KeyboardCaps() {
  return kCaps;
}

// The unshifted pair fills the lower half of the cap. (Placed higher, it
// would cover the bottom of the shifted pair and cut off "_" and the marks
// written below a letter.)
constexpr int kUnshiftedTop = kKeyCapSize - kKeyLabelSize;

Rect LatinLabelPlace(bool shifted) {
  return {0, shifted ? 0 : kUnshiftedTop, kKeyLabelSize, kKeyLabelSize};
}

Rect OutputLabelPlace(bool shifted) {
  return {kKeyLabelSize, shifted ? 0 : kUnshiftedTop, kKeyLabelSize, kKeyLabelSize};
}

}  // namespace lekhora
