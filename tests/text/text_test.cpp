#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/utf16.h"
#include "text/lines.h"
#include "text/utf8.h"

namespace lekhora {
namespace {

using Entries = std::vector<std::u16string>;

TEST(BytesToUtf16, TakesPairsLittleEndianWithoutDecoding) {
  // U+0915 then a byte-order mark, which is kept as a unit like any other.
  const std::vector<std::uint8_t> bytes = {0x15, 0x09, 0xFF, 0xFE};
  EXPECT_EQ(BytesToUtf16(bytes), std::u16string(u"\u0915\uFEFF"));
  EXPECT_EQ(Utf16ToBytes(BytesToUtf16(bytes)), bytes);
}

TEST(BytesToUtf16, OddLastByteBecomesUnitWithZeroHighByte) {
  const std::vector<std::uint8_t> bytes = {0x15, 0x09, 0x41};
  EXPECT_EQ(BytesToUtf16(bytes), std::u16string(u"\u0915A"));
  EXPECT_EQ(BytesToUtf16(std::vector<std::uint8_t>{}), u"");
}

TEST(SplitCrLf, SplitsOnlyAtTheTwoUnitSeparator) {
  EXPECT_EQ(SplitCrLf(u""), Entries{});
  EXPECT_EQ(SplitCrLf(u"a"), Entries{u"a"});
  EXPECT_EQ(SplitCrLf(u"a\r\nb\r\n"), (Entries{u"a", u"b", u""}));
  EXPECT_EQ(SplitCrLf(u"a\r\nb"), (Entries{u"a", u"b"}));
  EXPECT_EQ(SplitCrLf(u"\r\n"), (Entries{u"", u""}));
  // A lone CR or LF is part of the entry.
  EXPECT_EQ(SplitCrLf(u"a\nb\rc\r\r\nd"), (Entries{u"a\nb\rc\r", u"d"}));
}

TEST(Utf8, RoundTripsDevanagariAndAstralCharacters) {
  const std::u16string text = u"\u0915\u094D\u0937 A \U0001F600";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(Utf16ToUtf8(u"\u0915"), "\xE0\xA4\x95");
}

TEST(Utf8, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(Utf8ToUtf16("a\xFF"
                        "b"),
            u"a\uFFFDb");
  EXPECT_EQ(Utf8ToUtf16("\xE0\xA4"), u"\uFFFD");      // truncated
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD");      // overlong
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD");  // surrogate
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t{0xD800})), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace lekhora
