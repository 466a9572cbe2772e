#include "ui/geometry/design_geometry.h"

#include <algorithm>
#include <array>

namespace lekhora {
namespace {

constexpr std::array kTypingWindow{
    ControlGeometry{"lblTitle", {0, 0, 8295, 280}},
    ControlGeometry{"Label3", {60, 30, 1155, 195}},
    ControlGeometry{"imgMove", {7080, 60, 195, 180}},
    ControlGeometry{"imgFont", {7320, 60, 195, 180}},
    ControlGeometry{"imgHelp", {7560, 60, 195, 180}},
    ControlGeometry{"imgMin", {7800, 60, 195, 180}},
    ControlGeometry{"imgClose", {8040, 60, 195, 180}},
    ControlGeometry{"imgSize", {8040, 3660, 195, 180}},
    ControlGeometry{"chKB", {120, 330, 195, 195}},
    ControlGeometry{"lbl", {360, 330, 1695, 195}},
    ControlGeometry{"chShowKB", {2100, 330, 195, 195}},
    ControlGeometry{"Label2", {2340, 330, 1335, 195}},
    ControlGeometry{"lblLayoutInfo", {3660, 330, 1815, 210}},
    ControlGeometry{"lblLayout", {5580, 330, 1395, 210}},
    ControlGeometry{"picTools", {7980, 300, 255, 915}},
    ControlGeometry{"txtType", {60, 600, 5445, 1260}},
    ControlGeometry{"lstCustomWords", {6060, 600, 735, 1275}},
    ControlGeometry{"picKB", {60, 1920, 7455, 2295}},
    ControlGeometry{"Command1", {7020, 1080, 675, 315}},
};

constexpr std::array kPopup{
    ControlGeometry{"lblMain", {0, 495, 3135, 255}},
    ControlGeometry{"lblTip", {30, 0, 1905, 945}},
    ControlGeometry{"imgClose", {2820, 0, 195, 180}},
    ControlGeometry{"imgMove", {2820, 180, 195, 180}},
    ControlGeometry{"imgSize", {2820, 780, 195, 180}},
};

constexpr std::array kKeyboardPanel{
    ControlGeometry{"comTo", {0, 1200, 855, 330}},
    ControlGeometry{"comMap", {30, 1800, 1095, 330}},
};

}  // namespace

std::span<const ControlGeometry> TypingWindowDesign() {
  return kTypingWindow;
}
std::span<const ControlGeometry> PopupDesign() {
  return kPopup;
}
std::span<const ControlGeometry> KeyboardPanelDesign() {
  return kKeyboardPanel;
}

std::optional<Rect> FindDesign(std::span<const ControlGeometry> table, std::string_view name) {
  auto it = std::find_if(table.begin(), table.end(),
                         [name](const ControlGeometry& c) { return c.Name == name; });
  if (it == table.end()) return std::nullopt;
  return it->Geometry;
}

}  // namespace lekhora
