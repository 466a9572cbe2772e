#pragma once
// The key caps of the on-screen keyboard: which characters each shows and
// where it sits on the panel (twips, relative to the panel).

#include <span>

#include "ui/geometry/geometry.h"

namespace lekhora {

struct KeyCap {
  char16_t Unshifted;
  char16_t Shifted;
  Rect Geometry;
};

inline constexpr int kKeyCapCount = 47;
inline constexpr int kKeyCapSize = 480;
inline constexpr int kKeyLabelSize = 240;
/// The first and last key code that has a pair of labels.
inline constexpr int kFirstLabelCode = 33;
inline constexpr int kLastLabelCode = 126;

/// The 47 caps, row by row from the top, left to right.
std::span<const KeyCap> KeyboardCaps();

/// Places of a cap's labels, relative to the cap: the shifted pair on top,
/// the unshifted pair below; the Latin label left, the output label right.
Rect LatinLabelPlace(bool shifted);
Rect OutputLabelPlace(bool shifted);

}  // namespace lekhora
