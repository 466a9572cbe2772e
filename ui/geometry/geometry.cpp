#include "ui/geometry/geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "ui/geometry/design_geometry.h"

namespace lekhora {
namespace {

Rect Design(std::span<const ControlGeometry> table, std::string_view name) {
  return FindDesign(table, name).value();
}

// Twips are whole numbers here; half a pixel cannot occur (15 is odd), so
// rounding to nearest needs no tie rule.
int RoundDiv(int value, int divisor) {
  const long long v = value;
  return static_cast<int>(v >= 0 ? (2 * v + divisor) / (2 * divisor)
                                 : -((-2 * v + divisor) / (2 * divisor)));
}

}  // namespace

int TwipsToPixels(int twips) {
  return RoundDiv(twips, kTwipsPerPixel);
}

Rect TwipsToPixels(const Rect& t) {
  return {TwipsToPixels(t.Left), TwipsToPixels(t.Top), TwipsToPixels(t.Width),
          TwipsToPixels(t.Height)};
}

Size TwipsToPixels(const Size& t) {
  return {TwipsToPixels(t.Width), TwipsToPixels(t.Height)};
}

RoundedShape ShapeOfWindow(Size twips) {
  return {TwipsToPixels(twips.Width), TwipsToPixels(twips.Height), 20, 20};
}

std::vector<PixelRect> ShapeRects(const RoundedShape& shape) {
  std::vector<PixelRect> rects;
  if (shape.Width <= 0 || shape.Height <= 0) return rects;
  // An ellipse larger than the window is cut to the window's size.
  const double a = std::min(shape.EllipseWidth, shape.Width) / 2.0;
  const double b = std::min(shape.EllipseHeight, shape.Height) / 2.0;
  const int curved = static_cast<int>(std::floor(b));
  // A pixel belongs to the shape when its centre lies inside the ellipse.
  auto inset = [&](int row) {
    if (b <= 0) return 0;
    const double dy = (b - (row + 0.5)) / b;
    const double dx = dy >= 1 ? 0 : a * std::sqrt(1 - dy * dy);
    return std::max(0, static_cast<int>(std::ceil(a - dx - 0.5)));
  };
  std::vector<PixelRect> bottom;
  for (int row = 0; row < curved && 2 * row < shape.Height; ++row) {
    const int x = inset(row);
    if (2 * x >= shape.Width) continue;
    rects.push_back({x, row, shape.Width - 2 * x, 1});
    const int mirrored = shape.Height - 1 - row;
    if (mirrored != row) bottom.push_back({x, mirrored, shape.Width - 2 * x, 1});
  }
  const int middleTop = std::min(curved, shape.Height);
  const int middleHeight = shape.Height - 2 * middleTop;
  if (middleHeight > 0) rects.push_back({0, middleTop, shape.Width, middleHeight});
  rects.insert(rects.end(), bottom.rbegin(), bottom.rend());
  return rects;
}

TypingWindowControls DesignTypingControls() {
  const auto t = TypingWindowDesign();
  return {Design(t, "lblTitle"),       Design(t, "imgFont"),  Design(t, "imgHelp"),
          Design(t, "imgMove"),        Design(t, "imgMin"),   Design(t, "imgClose"),
          Design(t, "imgSize"),        Design(t, "picTools"), Design(t, "txtType"),
          Design(t, "lstCustomWords"), Design(t, "picKB")};
}

Size TypingWindowMinimum(bool keyboardVisible, const TypingWindowControls& controls) {
  // The keyboard sets the minimum width even while it is hidden.
  return {controls.picKB.Width + 600,
          keyboardVisible ? kMinHeightWithKeyboard : kMinHeightWithoutKeyboard};
}

std::optional<TypingWindowLayout> LayoutTypingWindow(Size window, bool keyboardVisible,
                                                     bool minimised,
                                                     const TypingWindowControls& controls) {
  if (minimised) return std::nullopt;
  TypingWindowLayout out{window, controls, {}};
  int& w = out.Window.Width;
  int& h = out.Window.Height;
  auto& c = out.Controls;

  const Size floor = TypingWindowMinimum(keyboardVisible, controls);
  w = std::max(w, floor.Width);
  h = std::max(h, floor.Height);

  // Right to left; this deliberately differs from the design order.
  const int step = c.imgClose.Width;
  c.imgClose.Left = w - step - 60;
  c.imgSize.Left = c.imgClose.Left - 15;
  c.imgMin.Left = c.imgClose.Left - step - 15;
  c.imgMove.Left = c.imgMin.Left - step - 15;
  c.imgHelp.Left = c.imgMove.Left - step - 15;
  c.imgFont.Left = c.imgHelp.Left - step - 15;

  c.picTools.Left = w - c.picTools.Width;
  c.imgSize.Top = h - c.imgSize.Height - 35;
  c.picKB.Left = (w - c.picKB.Width - 140) / 2;
  c.picKB.Top = h - c.picKB.Height - 30;
  c.lblTitle.Width = w;
  c.txtType.Width = w - 160 - c.imgClose.Width - c.lstCustomWords.Width;
  c.txtType.Height = keyboardVisible ? c.picKB.Top - c.txtType.Top - 60 : h - 60 - c.txtType.Top;
  c.lstCustomWords.Left = c.txtType.Width + 60;
  c.lstCustomWords.Height = c.txtType.Height;

  out.Shape = ShapeOfWindow(out.Window);
  return out;
}

SuggestionPopupControls DesignPopupControls() {
  const auto t = PopupDesign();
  return {Design(t, "lblMain"), Design(t, "lblTip"), Design(t, "imgClose"), Design(t, "imgMove"),
          Design(t, "imgSize")};
}

std::optional<SuggestionPopupLayout> LayoutSuggestionPopup(
    Size window, bool minimised, const SuggestionPopupControls& controls) {
  if (minimised) return std::nullopt;
  SuggestionPopupLayout out{window, controls, {}};
  int& w = out.Window.Width;
  int& h = out.Window.Height;
  auto& c = out.Controls;

  h = std::max(h, kPopupMinimum.Height);
  w = std::max(w, kPopupMinimum.Width);

  c.lblTip.Width = w;
  c.lblTip.Height = h;
  c.lblMain.Width = w;
  c.imgClose.Left = w - c.imgClose.Width - 30;
  c.imgSize.Left = c.imgClose.Left - 10;
  c.imgMove.Left = c.imgClose.Left;
  c.imgSize.Top = h - c.imgSize.Height - 35;

  out.Shape = ShapeOfWindow(out.Window);
  return out;
}

std::optional<Size> ResizeFormByDrag(Size window, PixelPoint start, PixelPoint end, int edge,
                                     int twipsPerPixelX, int twipsPerPixelY) {
  if (edge != kBottomRightEdge) return std::nullopt;
  constexpr long long kMax = std::numeric_limits<int>::max();
  constexpr long long kMin = std::numeric_limits<int>::min();
  // The travel is a 32-bit difference, as the grip's points are.
  const long long travelX = static_cast<long long>(end.X) - start.X;
  const long long travelY = static_cast<long long>(end.Y) - start.Y;
  if (travelX > kMax || travelX < kMin || travelY > kMax || travelY < kMin) return std::nullopt;
  const long long dx = travelX * twipsPerPixelX;
  const long long dy = travelY * twipsPerPixelY;
  const long long w = window.Width + dx;
  const long long h = window.Height + dy;
  if (w < 0 || h < 0 || w > kMax || h > kMax) return std::nullopt;
  return Size{static_cast<int>(w), static_cast<int>(h)};
}

double StepFontSize(double points, bool leftButton) {
  double next = leftButton ? points + 1 : points - 1;
  if (leftButton && next > kMaxFontPoints) next = kMinFontPoints;
  if (!leftButton && next < kMinFontPoints) next = kMaxFontPoints;
  // Font sizes are kept to four decimal places.
  return std::round(next * 10000) / 10000;
}

PixelRect KeepInside(const PixelRect& window, const PixelRect& area) {
  const auto inside = [](int at, int length, int start, int room) {
    // The far edge first, so that a window too large for the area keeps its
    // near edge at the area's.
    at = std::min(at, start + room - length);
    return std::max(at, start);
  };
  return {inside(window.X, window.Width, area.X, area.Width),
          inside(window.Y, window.Height, area.Y, area.Height), window.Width, window.Height};
}

}  // namespace lekhora
