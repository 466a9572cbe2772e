#pragma once
// The design places of the chrome controls, in twips, so that the windows
// place their widgets from one table.

#include <optional>
#include <span>
#include <string_view>

#include "ui/geometry/geometry.h"

namespace lekhora {

struct ControlGeometry {
  std::string_view Name;
  Rect Geometry;
};

inline constexpr Size kTypingWindowDesignSize{8265, 4620};
inline constexpr Size kPopupDesignSize{3150, 1560};
inline constexpr Size kKeyboardPanelDesignSize{7455, 2295};

/// Every control of the typing window at its design place.
std::span<const ControlGeometry> TypingWindowDesign();
/// Every control of the suggestion popup at its design place.
std::span<const ControlGeometry> PopupDesign();
/// The two lists on the keyboard panel, relative to the panel.
std::span<const ControlGeometry> KeyboardPanelDesign();

/// The design place of name in table, or nothing for an unknown name.
std::optional<Rect> FindDesign(std::span<const ControlGeometry> table, std::string_view name);

}  // namespace lekhora
