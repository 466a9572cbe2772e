#include "ui/geometry/keyboard_caps.h"

#include <gtest/gtest.h>

#include <set>

#include "ui/geometry/design_geometry.h"

namespace lekhora {
namespace {

bool Overlap(const Rect& a, const Rect& b) {
  return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
         b.Top < a.Top + a.Height;
}

TEST(KeyboardCaps, CoverEveryPrintableKeyOnceAndNoSpace) {
  const auto caps = KeyboardCaps();
  ASSERT_EQ(caps.size(), 47u);
  std::set<int> codes;
  for (const KeyCap& cap : caps) {
    EXPECT_TRUE(codes.insert(cap.Unshifted).second) << int(cap.Unshifted);
    EXPECT_TRUE(codes.insert(cap.Shifted).second) << int(cap.Shifted);
  }
  EXPECT_EQ(codes.size(), 94u);
  EXPECT_EQ(*codes.begin(), kFirstLabelCode);
  EXPECT_EQ(*codes.rbegin(), kLastLabelCode);
}

TEST(KeyboardCaps, StandInFourRowsOnThePanel) {
  const auto caps = KeyboardCaps();
  // First caps of the rows, the home row's k, and backslash closing the bottom row.
  EXPECT_EQ(caps[0].Unshifted, u'`');
  EXPECT_EQ(caps[0].Shifted, u'~');
  EXPECT_EQ(caps[0].Geometry, (Rect{240, 60, 480, 480}));
  EXPECT_EQ(caps[13].Unshifted, u'q');
  EXPECT_EQ(caps[13].Geometry, (Rect{600, 600, 480, 480}));
  EXPECT_EQ(caps[25 + 7].Unshifted, u'k');
  EXPECT_EQ(caps[25 + 7].Shifted, u'K');
  EXPECT_EQ(caps[25 + 7].Geometry, (Rect{900 + 7 * 540, 1140, 480, 480}));
  EXPECT_EQ(caps[46].Unshifted, u'\\');
  EXPECT_EQ(caps[46].Shifted, u'|');
  EXPECT_EQ(caps[46].Geometry, (Rect{1140 + 10 * 540, 1680, 480, 480}));

  const Rect panel{0, 0, kKeyboardPanelDesignSize.Width, kKeyboardPanelDesignSize.Height};
  for (std::size_t i = 0; i < caps.size(); ++i) {
    const Rect& r = caps[i].Geometry;
    EXPECT_TRUE(r.Left >= 0 && r.Top >= 0 && r.Left + r.Width <= panel.Width &&
                r.Top + r.Height <= panel.Height);
    for (std::size_t j = i + 1; j < caps.size(); ++j) EXPECT_FALSE(Overlap(r, caps[j].Geometry));
    for (const ControlGeometry& list : KeyboardPanelDesign())
      EXPECT_FALSE(Overlap(r, list.Geometry)) << list.Name;
  }
}

}  // namespace
}  // namespace lekhora
