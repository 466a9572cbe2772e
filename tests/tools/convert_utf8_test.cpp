// The converter's UTF-8 reading and writing.

#include <gtest/gtest.h>

#include "text/utf8.h"

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

// Each length of sequence, and a pair, placed to start at every position from
// a little before the end of the first block to past it, so that some sit
// across the edge between two blocks of bytes or of units.
TEST(ConvertUtf8, SequencesAcrossBlockEdgesStayWhole) {
  struct Sample {
    std::string bytes;
    std::u16string units;
  };
  const Sample samples[] = {
      {"\xC3\xA9", {0x00E9}},
      {"\xE0\xA4\x95", {0x0915}},
      {"\xF0\x9F\x98\x80", {0xD83D, 0xDE00}},
      {"\xE0\xA4\x95\xC3\xA9\xF0\x9F\x98\x80", {0x0915, 0x00E9, 0xD83D, 0xDE00}},
  };
  for (const Sample& sample : samples) {
    for (std::size_t before = kUtf8BlockSize - 9; before <= kUtf8BlockSize + 1; ++before) {
      const std::string bytes = std::string(before, 'a') + sample.bytes + "z";
      const std::u16string units = std::u16string(before, u'a') + sample.units + u"z";
      const Utf8Result decoded = DecodeUtf8(bytes);
      ASSERT_FALSE(decoded.badOffset) << before;
      ASSERT_EQ(decoded.text, units) << before;
      ASSERT_EQ(EncodeUtf8(units), bytes) << before;
    }
  }
}

TEST(ConvertUtf8, BadOffsetsCountFromTheStartOfTheWholeInput) {
  // Inside a run of ASCII read eight bytes at a time, at the end, and in a
  // later block, with the text before it kept.
  EXPECT_EQ(DecodeUtf8("abcdefg\x80hijklmnop").badOffset, 7u);
  EXPECT_EQ(DecodeUtf8("abcdefghijk\xE0\xA4").badOffset, 11u);
  const std::size_t offset = 2 * kUtf8BlockSize + 5;
  const Utf8Result r = DecodeUtf8(std::string(offset, 'a') + "\xFF" + std::string(20, 'b'));
  ASSERT_TRUE(r.badOffset);
  EXPECT_EQ(*r.badOffset, offset);
  EXPECT_EQ(r.text, std::u16string(offset, u'a'));
}

}  // namespace
}  // namespace lekhora
