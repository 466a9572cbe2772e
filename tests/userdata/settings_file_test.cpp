#include "userdata/settings_file.h"

#include <gtest/gtest.h>

#include <string>

namespace lekhora {
namespace {

TEST(SettingsFile, GroupsCommentsAndQuotesComeBackAsWritten) {
  SettingsWriter writer;
  writer.Group("General");
  writer.Add("on", true);
  writer.Add("size", 13.5);
  writer.Add("name", std::u16string_view(u"a;b=\"c\\ "));
  writer.Add("plain", std::u16string_view(u"\u0915 x"));
  writer.Group("place");
  writer.Add("x", -30);
  EXPECT_EQ(writer.Text(),
            "[General]\non=true\nsize=13.5\nname=\"a;b=\\\"c\\\\ \"\nplain=\xE0\xA4\x95 x\n"
            "\n[place]\nx=-30\n");
  const auto values = ParseSettingsText(writer.Text());
  ASSERT_TRUE(values.has_value());
  EXPECT_TRUE(BoolValue(*values, "on", false));
  EXPECT_EQ(NumberValue(*values, "size"), 13.5);
  EXPECT_EQ(TextValue(*values, "name"), u"a;b=\"c\\ ");
  EXPECT_EQ(TextValue(*values, "plain"), u"\u0915 x");
  EXPECT_EQ(IntValue(*values, "place/x"), -30);
  // A line break cannot be one value: it is dropped, not a second line.
  SettingsWriter broken;
  broken.Add("name", std::u16string_view(u"a\nb=c"));
  EXPECT_EQ(TextValue(*ParseSettingsText(broken.Text()), "name"), u"ab=c");

  const auto byHand = ParseSettingsText(
      "; made by hand\n# too\n[ General ]\n  on = false \r\nx=12px\n\n[g]\nk=v\n");
  ASSERT_TRUE(byHand.has_value());
  EXPECT_FALSE(BoolValue(*byHand, "on", true));
  EXPECT_TRUE(BoolValue(*byHand, "k", true));  // another group's key is not General's
  EXPECT_EQ(TextValue(*byHand, "g/k"), u"v");
  // A value of another type is no value.
  EXPECT_EQ(IntValue(*byHand, "x"), std::nullopt);
  EXPECT_EQ(NumberValue(*byHand, "missing"), std::nullopt);
  EXPECT_TRUE(BoolValue(*byHand, "g/k", true));
}

TEST(SettingsFile, ProseAndBrokenLinesAreNoSettingsFile) {
  EXPECT_FALSE(ParseSettingsText("Dear diary,\nlayout=Inscript\n").has_value());
  EXPECT_FALSE(ParseSettingsText("[General\nlayout=Inscript\n").has_value());
  EXPECT_FALSE(ParseSettingsText("[]\n").has_value());
  EXPECT_FALSE(ParseSettingsText("=x\n").has_value());
  EXPECT_TRUE(ParseSettingsText("").has_value());
}

}  // namespace
}  // namespace lekhora
