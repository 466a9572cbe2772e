#include "ui/typing/pad_settings.h"

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

  // IntelligentRoman is kept like the table layouts, and has no script.
  PadSettings roman = good;
  roman.Layout = kIntelligentRomanLayout;
  EXPECT_EQ(CheckedSettings(roman).Layout, kIntelligentRomanLayout);
  EXPECT_EQ(CheckedSettings(roman).OutputScript, u"");
  EXPECT_EQ(ParseSettingsFile("[General]\nlayout=IntelligentRoman\n")->Layout,
            kIntelligentRomanLayout);
}

TEST(SettingsFile, ReadsWhatItWritesAndTheEarlierFilesButNoProse) {
  PadSettings settings;
  settings.Layout = u"Phonetic";
  settings.OutputScript = u"Tamil";
  settings.Conversion = false;
  settings.FontPoints = 13.5;
  settings.Window = PixelRect{-30, 40, 600, 150};
  settings.PopupShown = false;
  const std::string text = SettingsFileText(settings);
  EXPECT_EQ(text.back(), '\n');
  EXPECT_EQ(ParseSettingsFile(text), settings);
  EXPECT_EQ(ParseSettingsFile(SettingsFileText(PadSettings{})), PadSettings{});
  // A name that the reader would take apart comes back whole.
  settings.Layout = u"a;b=\"c\\ ";
  EXPECT_EQ(ParseSettingsFile(SettingsFileText(settings))->Layout, settings.Layout);

  // As the earlier pads wrote it, with comments, groups and unknown keys.
  const auto earlier = ParseSettingsFile(
      "; made by hand\n[General]\nconversion=false\nfontSize=14\nfuture=1\n"
      "layout=Inscript\n\n[popup]\nheight=120\nshown=false\nwidth=260\nx=400\ny=300\n");
  ASSERT_TRUE(earlier.has_value());
  EXPECT_EQ(earlier->Layout, u"Inscript");
  EXPECT_FALSE(earlier->Conversion);
  EXPECT_EQ(earlier->FontPoints, 14);
  EXPECT_EQ(earlier->Popup, (PixelRect{400, 300, 260, 120}));
  EXPECT_FALSE(earlier->PopupShown);
  EXPECT_FALSE(earlier->Window.has_value());

  // Not the pad's (the lines themselves are the file format's to judge).
  EXPECT_FALSE(ParseSettingsFile("Dear diary,\nlayout=Inscript\n").has_value());

  // However many unknown keys it held, the file written back is small.
  std::string many;
  while (many.size() < 16u << 20) many += "unknown" + std::to_string(many.size()) + "=\"x,y\"\n";
  const auto big = ParseSettingsFile(many);
  ASSERT_TRUE(big.has_value());
  EXPECT_LT(SettingsFileText(*big).size(), 1000u);
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
