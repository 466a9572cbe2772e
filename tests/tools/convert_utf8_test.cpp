// The converter's UTF-8 reading and writing.

#include <gtest/gtest.h>

#include "tools/convert/utf8.h"

namespace lekhora {
namespace {

TEST(ConvertUtf8, RoundTripsEveryLength) {
  const std::string bytes = "a\xC3\xA9\xE0\xA4\x95\xF0\x9F\x98\x80\xEF\xBF\xBF";
  const Utf8Result decoded = DecodeUtf8(bytes);
  ASSERT_FALSE(decoded.badOffset);
  EXPECT_EQ(decoded.text, (std::u16string{u'a', 0x00E9, 0x0915, 0xD83D, 0xDE00, 0xFFFF}));
  EXPECT_EQ(EncodeUtf8(decoded.text), bytes);
}

TEST(ConvertUtf8, ReportsTheStartOfTheFirstBadSequence) {
  struct Case {
    std::string bytes;
    std::size_t offset;
  };
  const Case cases[] = {
      {"\x80", 0},              // stray continuation
      {"ab\xC1\xBF", 2},        // overlong two-byte
      {"a\xE0\x9F\xBF", 1},     // overlong three-byte
      {"\xF0\x8F\xBF\xBF", 0},  // overlong four-byte
      {"ab\xED\xB0\x80", 2},    // encoded surrogate
      {"\xF4\x90\x80\x80", 0},  // above U+10FFFF
      {"\xF5\x80\x80\x80", 0},  // lead byte never valid
      {"abc\xE0\xA4", 3},       // truncated at the end
      {"\xE0\xA4x", 0},         // continuation missing
      {"\xE0\xA4\x95\xFF", 3},  // after a good character
  };
  for (const Case& c : cases) {
    const Utf8Result r = DecodeUtf8(c.bytes);
    ASSERT_TRUE(r.badOffset) << c.offset;
    EXPECT_EQ(*r.badOffset, c.offset);
  }
}

TEST(ConvertUtf8, LoneSurrogatesAreWrittenAsReplacementCharacters) {
  EXPECT_EQ(EncodeUtf8(std::u16string{u'a', 0xD83D}), "a\xEF\xBF\xBD");
  EXPECT_EQ(EncodeUtf8(std::u16string{0xDE00, u'b'}),
            "\xEF\xBF\xBD"
            "b");
}

}  // namespace
}  // namespace lekhora
