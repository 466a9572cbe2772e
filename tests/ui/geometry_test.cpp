#include "ui/geometry/geometry.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ui/geometry/design_geometry.h"

namespace lekhora {
namespace {

constexpr Size kDesign = kTypingWindowDesignSize;

TypingWindowLayout Lay(Size window, bool keyboard = true) {
  auto layout = LayoutTypingWindow(window, keyboard, false);
  EXPECT_TRUE(layout.has_value());
  return *layout;
}

int Bottom(const Rect& r) {
  return r.Top + r.Height;
}

TEST(TypingWindowLayout, SnapsBackToTheMinimumSizes) {
  // The design keyboard sets the width floor, shown or not.
  EXPECT_EQ(Lay({6000, 4620}).Window, (Size{8055, 4620}));
  EXPECT_EQ(Lay({6000, 4620}, false).Window, (Size{8055, 4620}));
  EXPECT_EQ(Lay({8055, 4620}).Window, (Size{8055, 4620}));
  EXPECT_EQ(Lay({9000, 3299}).Window, (Size{9000, 3300}));
  EXPECT_EQ(Lay({9000, 3299}, false).Window, (Size{9000, 3299}));
  EXPECT_EQ(Lay({9000, 1199}, false).Window, (Size{9000, 1200}));
  EXPECT_EQ(Lay({100, 100}).Window, (Size{8055, 3300}));
  // A second pass over the snapped size changes nothing.
  const auto again = Lay(Lay({100, 100}).Window);
  EXPECT_EQ(again.Window, (Size{8055, 3300}));
}

TEST(TypingWindowLayout, TitleBarImagesRunRightToLeftAfterLayout) {
  const auto c = Lay(kDesign).Controls;
  EXPECT_EQ(c.imgClose.Left, kDesign.Width - 195 - 60);
  // From the right edge: Close, Minimise, Move, Help, Font, each 210 apart.
  EXPECT_EQ(c.imgClose.Left - c.imgMin.Left, 210);
  EXPECT_EQ(c.imgMin.Left - c.imgMove.Left, 210);
  EXPECT_EQ(c.imgMove.Left - c.imgHelp.Left, 210);
  EXPECT_EQ(c.imgHelp.Left - c.imgFont.Left, 210);
  for (const Rect& r : {c.imgClose, c.imgMin, c.imgMove, c.imgHelp, c.imgFont})
    EXPECT_EQ(r.Top, 60);
  EXPECT_EQ(c.imgSize.Left, c.imgClose.Left - 15);
  EXPECT_EQ(c.imgSize.Top, kDesign.Height - 180 - 35);
  EXPECT_EQ(c.picTools.Left + c.picTools.Width, kDesign.Width);
  EXPECT_EQ(c.lblTitle.Width, kDesign.Width);
  // The list covers the hidden maintenance button's design place.
  EXPECT_EQ(c.lstCustomWords.Left, 7235);
}

TEST(TypingWindowLayout, KeyboardVisibilityDecidesTheTypingBoxHeight) {
  const Size window{kDesign.Width, 4000};
  const auto shown = Lay(window, true).Controls;
  const auto hidden = Lay(window, false).Controls;
  EXPECT_EQ(Bottom(hidden.txtType), window.Height - 60);
  EXPECT_EQ(Bottom(shown.txtType), shown.picKB.Top - 60);
  EXPECT_EQ(Bottom(shown.picKB), window.Height - 30);
  EXPECT_EQ(shown.lstCustomWords.Height, shown.txtType.Height);
  EXPECT_EQ(hidden.lstCustomWords.Height, hidden.txtType.Height);
  // Showing the keyboard in a low window grows the window first.
  const auto low = Lay({kDesign.Width, 2000}, true);
  EXPECT_EQ(low.Window.Height, 3300);
  EXPECT_EQ(Bottom(low.Controls.txtType), low.Controls.picKB.Top - 60);
  EXPECT_GT(low.Controls.txtType.Height, 0);
}

TEST(TypingWindowLayout, WideningMovesTheRightHandControls) {
  const auto a = Lay(kDesign).Controls;
  const auto b = Lay({kDesign.Width + 1500, kDesign.Height}).Controls;
  EXPECT_EQ(b.txtType.Width - a.txtType.Width, 1500);
  for (auto member : {&TypingWindowControls::lstCustomWords, &TypingWindowControls::picTools,
                      &TypingWindowControls::imgClose, &TypingWindowControls::imgMin,
                      &TypingWindowControls::imgMove, &TypingWindowControls::imgHelp,
                      &TypingWindowControls::imgFont, &TypingWindowControls::imgSize})
    EXPECT_EQ((b.*member).Left - (a.*member).Left, 1500);
  EXPECT_EQ(b.picKB.Left - a.picKB.Left, 750);
  EXPECT_EQ(b.txtType.Left, a.txtType.Left);
}

TEST(TypingWindowLayout, NothingHappensWhileMinimised) {
  EXPECT_FALSE(LayoutTypingWindow({10, 10}, true, true).has_value());
  EXPECT_FALSE(LayoutSuggestionPopup({10, 10}, true).has_value());
}

TEST(SuggestionPopupLayout, HasAFloorOf2500By800AndFollowsTheSize) {
  auto small = LayoutSuggestionPopup({1000, 500}, false);
  ASSERT_TRUE(small);
  EXPECT_EQ(small->Window, (Size{2500, 800}));
  EXPECT_EQ(LayoutSuggestionPopup({2400, 5000}, false)->Window, (Size{2500, 5000}));

  const auto p = *LayoutSuggestionPopup(kPopupDesignSize, false);
  EXPECT_EQ(p.Window, kPopupDesignSize);
  const auto& c = p.Controls;
  EXPECT_EQ(c.lblTip.Width, 3150);
  EXPECT_EQ(c.lblTip.Height, 1560);
  EXPECT_EQ(c.lblMain.Width, 3150);
  EXPECT_EQ(c.imgClose.Left, 3150 - 195 - 30);
  EXPECT_EQ(c.imgMove.Left, c.imgClose.Left);
  EXPECT_EQ(c.imgSize.Left, c.imgClose.Left - 10);
  EXPECT_EQ(c.imgSize.Top, 1560 - 180 - 35);
  EXPECT_EQ(c.imgClose.Top, 0);
  EXPECT_EQ(c.imgMove.Top, 180);
  EXPECT_EQ(p.Shape, (RoundedShape{210, 104, 20, 20}));
}

TEST(SizeGrip, GrowsByTheTravelInTwips) {
  EXPECT_EQ(ResizeFormByDrag(kDesign, {100, 100}, {120, 110}, kBottomRightEdge),
            (Size{kDesign.Width + 300, kDesign.Height + 150}));
  // Other densities multiply by their own twips per pixel.
  EXPECT_EQ(ResizeFormByDrag(kDesign, {0, 0}, {2, 2}, kBottomRightEdge, 12, 10),
            (Size{kDesign.Width + 24, kDesign.Height + 20}));
}

TEST(SizeGrip, ShrinkingBelowTheMinimumSnapsBackThroughTheLayout) {
  const auto dragged = ResizeFormByDrag(kDesign, {500, 500}, {400, 300}, kBottomRightEdge);
  ASSERT_TRUE(dragged);
  EXPECT_EQ(*dragged, (Size{kDesign.Width - 1500, kDesign.Height - 3000}));
  EXPECT_EQ(Lay(*dragged).Window, (Size{8055, 3300}));
}

TEST(SizeGrip, ImpossibleSizesAndOverflowLeaveTheWindowAlone) {
  EXPECT_FALSE(ResizeFormByDrag(kDesign, {1000, 0}, {0, 0}, kBottomRightEdge));
  EXPECT_FALSE(ResizeFormByDrag(kDesign, {INT32_MIN, 0}, {INT32_MAX, 0}, kBottomRightEdge));
  EXPECT_FALSE(ResizeFormByDrag(kDesign, {0, 0}, {INT32_MAX / 2, 0}, kBottomRightEdge));
  EXPECT_FALSE(ResizeFormByDrag(kDesign, {0, 0}, {20, 10}, 3));
}

TEST(FontSize, StepsAndWrapsAtBothEnds) {
  EXPECT_EQ(StepFontSize(12, true), 13);
  EXPECT_EQ(StepFontSize(12, false), 11);
  EXPECT_EQ(StepFontSize(28, true), 8);
  EXPECT_EQ(StepFontSize(8, false), 28);
  EXPECT_EQ(StepFontSize(27, true), 28);
  EXPECT_EQ(StepFontSize(9, false), 8);
  // From 12, 21 steps either way visit every whole point 8..28 once.
  double up = 12, down = 12;
  for (int i = 0; i < 21; ++i) {
    up = StepFontSize(up, true);
    down = StepFontSize(down, false);
    EXPECT_GE(up, 8);
    EXPECT_LE(up, 28);
  }
  EXPECT_EQ(up, 12);
  EXPECT_EQ(down, 12);
}

bool Contains(const std::vector<PixelRect>& rects, int x, int y) {
  return std::any_of(rects.begin(), rects.end(), [&](const PixelRect& r) {
    return x >= r.X && x < r.X + r.Width && y >= r.Y && y < r.Y + r.Height;
  });
}

TEST(WindowShape, IsTheWindowInPixelsWithCornersOfTenPixelRadius) {
  EXPECT_EQ(ShapeOfWindow(kDesign), (RoundedShape{551, 308, 20, 20}));
  EXPECT_EQ(ShapeOfWindow({8055, 3307}), (RoundedShape{537, 220, 20, 20}));
  long long firstCut = -1;
  for (Size px : {Size{551, 308}, Size{537, 220}, Size{167, 54}, Size{1000, 21}}) {
    const auto rects = ShapeRects({px.Width, px.Height, 20, 20});
    const int w = px.Width, h = px.Height;
    long long area = 0;
    for (std::size_t i = 0; i < rects.size(); ++i) {
      area += static_cast<long long>(rects[i].Width) * rects[i].Height;
      if (i > 0) {
        EXPECT_GE(rects[i].Y, rects[i - 1].Y + rects[i - 1].Height);
      }
    }
    // The four corners cut away the same area at every size.
    const long long cut = static_cast<long long>(w) * h - area;
    if (firstCut < 0) firstCut = cut;
    EXPECT_EQ(cut, firstCut);
    EXPECT_GT(cut, 0);
    for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {2, 2}})
      EXPECT_FALSE(Contains(rects, x, y)) << w << "x" << h << " at " << x << "," << y;
    // The straight edges reach to 10 pixels from each corner.
    for (auto [x, y] : {std::pair{10, 0},
                        {0, 10},
                        {w - 11, 0},
                        {w - 1, 10},
                        {10, h - 1},
                        {0, h - 11},
                        {w - 1, h - 11},
                        {w / 2, h / 2},
                        {3, 3}})
      EXPECT_TRUE(Contains(rects, x, y)) << w << "x" << h << " at " << x << "," << y;
  }
}

TEST(WindowShape, CornerRowsAreTheSameAtEverySize) {
  const auto a = ShapeRects({551, 308, 20, 20});
  const auto b = ShapeRects({300, 400, 20, 20});
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].Height != 1) continue;
    // Insets measured from the nearer edge match.
    EXPECT_EQ(a[i].X, b[i].X);
    EXPECT_EQ(551 - a[i].Width, 300 - b[i].Width);
  }
}

TEST(KeepInside, MovesAWindowOnlyAsFarAsItSticksOut) {
  const PixelRect screen{0, 0, 1280, 800};
  // The help window as a window manager placed it, 39 pixels past the bottom.
  EXPECT_EQ(KeepInside({300, 539, 487, 300}, screen), (PixelRect{300, 500, 487, 300}));
  EXPECT_EQ(KeepInside({-20, -5, 100, 50}, screen), (PixelRect{0, 0, 100, 50}));
  EXPECT_EQ(KeepInside({1250, 790, 100, 50}, screen), (PixelRect{1180, 750, 100, 50}));
  // Inside already: untouched.
  EXPECT_EQ(KeepInside({10, 20, 100, 50}, screen), (PixelRect{10, 20, 100, 50}));
  // A second screen to the right, with a panel taking its top 30 pixels.
  const PixelRect right{1280, 30, 1024, 738};
  EXPECT_EQ(KeepInside({2200, 0, 200, 100}, right), (PixelRect{2104, 30, 200, 100}));
  // Larger than the screen: its top left corner stays within reach.
  EXPECT_EQ(KeepInside({-50, 100, 1400, 900}, screen), (PixelRect{0, 0, 1400, 900}));
}

TEST(DesignTables, NameEveryChromeControl) {
  for (const char* name :
       {"lblTitle", "Label3", "imgMove", "imgFont", "imgHelp", "imgMin", "imgClose", "imgSize",
        "chKB", "lbl", "chShowKB", "Label2", "lblLayoutInfo", "lblLayout", "picTools", "txtType",
        "lstCustomWords", "picKB", "Command1"})
    EXPECT_TRUE(FindDesign(TypingWindowDesign(), name)) << name;
  for (const char* name : {"lblMain", "lblTip", "imgClose", "imgMove", "imgSize"})
    EXPECT_TRUE(FindDesign(PopupDesign(), name)) << name;
  EXPECT_FALSE(FindDesign(TypingWindowDesign(), "lblMain"));
  EXPECT_EQ(FindDesign(TypingWindowDesign(), "Command1"), (Rect{7020, 1080, 675, 315}));
  EXPECT_EQ(FindDesign(PopupDesign(), "imgClose"), (Rect{2820, 0, 195, 180}));
  EXPECT_EQ(TwipsToPixels(Rect{60, 1920, 7455, 2295}), (Rect{4, 128, 497, 153}));
  EXPECT_EQ(TwipsToPixels(kDesign), (Size{551, 308}));
}

}  // namespace
}  // namespace lekhora
