// Typing whole texts as the converter does, from UTF-16 and straight from UTF-8.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/layout.h"
#include "text/utf8.h"
#include "tools/convert/convert_text.h"

namespace lekhora {
namespace {

class ConvertText : public ::testing::Test {
 protected:
  Utf8Result TypeUtf8(std::string_view keys) const { return lekhora::TypeUtf8(layout, keys); }
  std::u16string TypeText(std::u16string_view keys) const {
    return lekhora::TypeText(layout, keys);
  }

  // Typing the UTF-8 as it is decoded gives what typing its decoded copy gives.
  void ExpectSameTyping(const std::string& bytes) const {
    const Utf8Result decoded = DecodeUtf8(bytes);
    ASSERT_FALSE(decoded.badOffset);
    const Utf8Result typed = TypeUtf8(bytes);
    ASSERT_FALSE(typed.badOffset);
    EXPECT_EQ(typed.text, TypeText(decoded.text));
  }

  std::shared_ptr<const Layout> layout = MakeLayout(kPhoneticVimraLayout);
};

TEST_F(ConvertText, LineEndsAreOneEnterEvenAcrossABlockEdge) {
  for (std::size_t before = kUtf8BlockSize - 2; before <= kUtf8BlockSize; ++before) {
    const std::string bytes = std::string(before, ' ') + "\r\nk\r\r\n\n\r";
    const std::u16string text = TypeUtf8(bytes).text;
    EXPECT_EQ(text, std::u16string(before, u' ') + u"\n\u0915\n\n\n\n") << before;
    ExpectSameTyping(bytes);
  }
  EXPECT_EQ(TypeText(u"\r"), u"\n");
}

TEST_F(ConvertText, CompositionCarriesAcrossABlockEdge) {
  // "k" then "h" in the next block still makes the aspirate; so does a
  // backspace there delete the last key of the block before.
  const std::string keys(kUtf8BlockSize - 1, ' ');
  EXPECT_EQ(TypeUtf8(keys + "kh").text, std::u16string(kUtf8BlockSize - 1, u' ') + u"\u0916");
  EXPECT_EQ(TypeUtf8(keys + "k\b").text, std::u16string(kUtf8BlockSize - 1, u' '));
}

TEST_F(ConvertText, BackspaceEndsTheComposition) {
  // A key after Backspace is typed as after a word break: it never replaces
  // the character that Backspace left before the caret.
  EXPECT_EQ(TypeText(u"mk\bh"), u"\u092E\u0939");
  EXPECT_EQ(TypeText(u"ka\bi"), u"\u0915\u093F");
  EXPECT_EQ(TypeText(u"ki\bi"), u"\u0915\u093F");
  EXPECT_EQ(TypeText(u"k\bh"), u"\u0939");
  EXPECT_EQ(TypeText(u"mera ka\bi"), u"\u092E\u0947\u0930\u093E \u0915\u093F");
  // Unbroken typing composes as ever.
  EXPECT_EQ(TypeText(u"kh kai Aii"), u"\u0916 \u0915\u0948 \u0908");
  EXPECT_EQ(TypeText(u"Aaiye"), u"\u0910\u092F\u0947");
}

TEST_F(ConvertText, LongMixedTextTypesAlikeEitherWay) {
  static const char* const kPieces[] = {
      "kh",   "kai ", "Aii ", "AA",   "hh",  "\xC3\xA9", "\xE0\xA4\x95", "\xF0\x9F\x98\x80",
      "\b",   "\r\n", "\r",   "\n",   "\t",  "\x01",     "\x04",         "{}[]|\\~` ",
      "aaau", "ooee", "xh",   "q\bh", "!\"",
  };
  std::string bytes;
  std::uint32_t state = 7;
  while (bytes.size() < 3 * kUtf8BlockSize) {
    state = state * 1664525u + 1013904223u;
    bytes += kPieces[(state >> 16) % std::size(kPieces)];
  }
  for (std::u16string_view layout : LayoutNames()) {
    this->layout = MakeLayout(layout);
    ExpectSameTyping(bytes);
  }
}

TEST_F(ConvertText, InvalidInputStopsWithItsOffset) {
  const std::size_t offset = kUtf8BlockSize + 10;
  const Utf8Result typed = TypeUtf8(std::string(offset, 'k') + "\xC0\xAF" + "kk");
  ASSERT_TRUE(typed.badOffset);
  EXPECT_EQ(*typed.badOffset, offset);
}

}  // namespace
}  // namespace lekhora
