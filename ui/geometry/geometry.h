#pragma once
// Where the chrome of the typing window and the suggestion popup goes at a
// given window size. All lengths are twips unless a name says pixels; the
// windows convert at the fixed 15 twips per pixel.

#include <cstdint>
#include <optional>
#include <vector>

namespace lekhora {

inline constexpr int kTwipsPerPixel = 15;

struct Rect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Size {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

/// A screen point in pixels, as the cursor reports it.
struct PixelPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

/// A rectangle in pixels (the window shape is built from these).
struct PixelRect {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

/// Twips to pixels, rounded to the nearest pixel.
int TwipsToPixels(int twips);
Rect TwipsToPixels(const Rect& twips);
Size TwipsToPixels(const Size& twips);

/// The rounded-rectangle window shape: its size in pixels and the corner ellipse.
struct RoundedShape {
  int Width = 0;
  int Height = 0;
  int EllipseWidth = 20;
  int EllipseHeight = 20;
  friend bool operator==(const RoundedShape&, const RoundedShape&) = default;
};

/// The shape of a window of this size: W / 15 by H / 15 pixels, rounded.
RoundedShape ShapeOfWindow(Size twips);
/// Pixel rows whose union is the shape, without antialiasing: the curved rows
/// of the corners one by one and the straight middle as one rectangle.
std::vector<PixelRect> ShapeRects(const RoundedShape& shape);

/// The controls of the typing window that move or grow with its size.
struct TypingWindowControls {
  Rect lblTitle;
  Rect imgFont;
  Rect imgHelp;
  Rect imgMove;
  Rect imgMin;
  Rect imgClose;
  Rect imgSize;
  Rect picTools;
  Rect txtType;
  Rect lstCustomWords;
  Rect picKB;
};

struct TypingWindowLayout {
  /// The window's size once the minimums hold; differs from the input when
  /// the window has to snap back.
  Size Window;
  TypingWindowControls Controls;
  RoundedShape Shape;
};

/// The design geometry of the moving controls of the typing window.
TypingWindowControls DesignTypingControls();

/// Lays the typing window out for its size; nothing while it is minimised.
/// The sizes of the controls are read from controls, so a caller may pass
/// what its widgets currently have.
std::optional<TypingWindowLayout> LayoutTypingWindow(
    Size window, bool keyboardVisible, bool minimised,
    const TypingWindowControls& controls = DesignTypingControls());

/// Minimum window heights with and without the on-screen keyboard.
inline constexpr int kMinHeightWithKeyboard = 3300;
inline constexpr int kMinHeightWithoutKeyboard = 1200;

/// The smallest size the typing window lays out at.
Size TypingWindowMinimum(bool keyboardVisible,
                         const TypingWindowControls& controls = DesignTypingControls());

struct SuggestionPopupControls {
  Rect lblMain;
  Rect lblTip;
  Rect imgClose;
  Rect imgMove;
  Rect imgSize;
};

struct SuggestionPopupLayout {
  Size Window;
  SuggestionPopupControls Controls;
  RoundedShape Shape;
};

SuggestionPopupControls DesignPopupControls();

inline constexpr Size kPopupMinimum{2500, 800};

std::optional<SuggestionPopupLayout> LayoutSuggestionPopup(
    Size window, bool minimised, const SuggestionPopupControls& controls = DesignPopupControls());

/// The size grip's corner; the only edge the windows use.
inline constexpr int kBottomRightEdge = 4;

/// The window size after the grip travelled from start to end (pixels), or
/// nothing when the sum overflows, the size would be negative or the edge is
/// not the bottom-right corner: then the window keeps its size.
std::optional<Size> ResizeFormByDrag(Size window, PixelPoint start, PixelPoint end, int edge,
                                     int twipsPerPixelX = kTwipsPerPixel,
                                     int twipsPerPixelY = kTwipsPerPixel);

/// Font sizes of the typing box cycle through these whole points.
inline constexpr double kMinFontPoints = 8;
inline constexpr double kMaxFontPoints = 28;

/// The font size after a button was released on the font image: the left
/// button steps up (past 28 to 8), any other steps down (below 8 to 28).
double StepFontSize(double points, bool leftButton);

/// Where a window (its frame included, pixels) opens on a screen whose free
/// area is area: moved as little as needed to lie wholly inside it, and when
/// it is larger than the area, with its top left corner at the area's, so that
/// its title bar and top left stay within reach. Its size never changes.
PixelRect KeepInside(const PixelRect& window, const PixelRect& area);

}  // namespace lekhora
