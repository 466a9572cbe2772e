#include "ui/pad_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace lekhora {
namespace {

TEST(CheckedSettings, KeepsWhatThePadCanUseAndDropsTheRest) {
  PadSettings good;
  good.Layout = kPhoneticLayout;
  good.OutputScript = u"Tamil";
  good.Conversion = false;
  good.FontPoints = 28;
  good.Window = PixelRect{-50, 10, 551, 308};
  EXPECT_EQ(CheckedSettings(good), good);

  PadSettings bad = good;
  bad.Layout = u"Dvorak";
  bad.FontPoints = 7.5;
  bad.Window = PixelRect{0, 0, 0, 308};
  bad.Popup = PixelRect{0, 0, 200, 2000000};
  const PadSettings checked = CheckedSettings(bad);
  EXPECT_EQ(checked.Layout, kPhoneticVimraLayout);
  // A script belongs to the Phonetic layout only.
  EXPECT_EQ(checked.OutputScript, u"");
  EXPECT_EQ(checked.FontPoints, 12);
  EXPECT_FALSE(checked.Window.has_value());
  EXPECT_FALSE(checked.Popup.has_value());
  EXPECT_FALSE(checked.Conversion);

  PadSettings script = good;
  script.OutputScript = u"Klingon";
  EXPECT_EQ(CheckedSettings(script).OutputScript, u"");
  script.FontPoints = std::nan("");
  EXPECT_EQ(CheckedSettings(script).FontPoints, 12);
}

TEST(RestoredPlace, OnAScreenAsSavedOffEveryScreenCentred) {
  const std::vector<PixelRect> screens{{0, 0, 1024, 740}, {1024, 0, 800, 600}};
  const PixelRect onSecond{1500, 500, 551, 308};
  EXPECT_EQ(RestoredPlace(onSecond, screens), onSecond);
  // Enough of the title band to take hold of is enough.
  const PixelRect mostlyOff{-480, 730, 551, 308};
  EXPECT_EQ(RestoredPlace(mostlyOff, screens), mostlyOff);
  // Gone with an unplugged screen, or above every screen: centred on the first.
  EXPECT_EQ(RestoredPlace({2000, 100, 551, 308}, screens), (PixelRect{236, 216, 551, 308}));
  EXPECT_EQ(RestoredPlace({100, -300, 551, 308}, screens), (PixelRect{236, 216, 551, 308}));
  EXPECT_EQ(RestoredPlace({-540, 100, 551, 308}, screens), (PixelRect{236, 216, 551, 308}));
  // Never larger than the largest screen.
  EXPECT_EQ(RestoredPlace({0, 0, 3000, 2000}, screens), (PixelRect{0, 0, 1024, 740}));
  // Without any screen known it stays as it was.
  EXPECT_EQ(RestoredPlace(onSecond, {}), onSecond);
}

}  // namespace
}  // namespace lekhora
