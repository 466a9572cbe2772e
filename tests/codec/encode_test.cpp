// The encoder's output is fixed to the byte, tie-breaks included.
#include <gtest/gtest.h>

#include <numeric>

#include "base/error.h"
#include "codec/he3.h"
#include "tests/codec/he3_builder.h"

namespace lekhora {
namespace {

Bytes Encoded(Bytes in) {
  Encode(in, static_cast<std::int32_t>(in.size()));
  return in;
}

Bytes Text(const char* s) {
  return Bytes(s, s + std::char_traits<char>::length(s));
}

TEST(Encode, WorkedExamplesGiveTheirExactBytes) {
  EXPECT_EQ(Encoded(Text("abc")), (Bytes{0x48, 0x45, 0x33, 0x0D, 0x60, 0x03, 0x00, 0x00, 0x00, 0x03,
                                         0x00, 0x61, 0x02, 0x62, 0x02, 0x63, 0x01, 0x0D, 0x0D}));
  // Equal counts: the lower value, the first leaf, gets 0.
  EXPECT_EQ(Encoded(Text("ababababab")),
            (Bytes{0x48, 0x45, 0x33, 0x0D, 0x03, 0x0A, 0x00, 0x00, 0x00, 0x02, 0x00, 0x61, 0x01,
                   0x62, 0x01, 0x02, 0xAA, 0x02}));
}

TEST(Encode, TieBreaksPickTheNodesInScanOrder) {
  // a b c weigh 2 2 1: c is below both equal candidates and replaces the first
  // (a), so (c, b) merge before a: a = 0, c = 10, b = 11.
  EXPECT_EQ(Encoded(Text("aabbc")),
            (Bytes{0x48, 0x45, 0x33, 0x0D, 0x63, 0x05, 0x00, 0x00, 0x00, 0x03, 0x00, 0x61, 0x01,
                   0x62, 0x02, 0x63, 0x02, 0x0E, 0x7C}));
  // a b c weigh 3 1 2: c is below a but not below b and replaces a; the same codes.
  EXPECT_EQ(Encoded(Text("aaabcc")),
            (Bytes{0x48, 0x45, 0x33, 0x0D, 0x03, 0x06, 0x00, 0x00, 0x00, 0x03,
                   0x00, 0x61, 0x01, 0x62, 0x02, 0x63, 0x02, 0x0E, 0xB8, 0x00}));
  // a b c weigh 2 3 1: c is below both and replaces the heavier (b): (a, c)
  // merge, then b = 0, a = 10, c = 11.
  EXPECT_EQ(Encoded(Text("aabbbc")),
            (Bytes{0x48, 0x45, 0x33, 0x0D, 0x01, 0x06, 0x00, 0x00, 0x00, 0x03,
                   0x00, 0x61, 0x02, 0x62, 0x01, 0x63, 0x02, 0x19, 0x85, 0x01}));
}

TEST(Encode, OneOddByteInAThousand) {
  Bytes in(1000, 'x');
  in[500] = 'y';
  const Bytes out = Encoded(in);
  ASSERT_EQ(out.size(), 141u);
  // The only merge takes the first leaf as zero-child: x = 0, y = 1, whatever the weights.
  EXPECT_EQ(Bytes(out.begin() + 5, out.begin() + 16),
            (Bytes{0xE8, 0x03, 0x00, 0x00, 0x02, 0x00, 'x', 0x01, 'y', 0x01, 0x02}));
  for (std::size_t i = 16; i < out.size(); ++i)
    ASSERT_EQ(out[i], i == 16 + 500 / 8 ? 1 << (500 % 8) : 0) << "data byte " << i;
  EXPECT_EQ(out[4], 'x' ^ 'y');  // 999 x's cancel to one
}

TEST(Encode, TwoHundredDistinctBytesStayCompressed) {
  Bytes in(200);
  std::iota(in.begin(), in.end(), std::uint8_t{0});
  const Bytes out = Encoded(in);
  ASSERT_EQ(out.size(), 797u);
  EXPECT_EQ(out[2], 0x33);
  // 56 values get 7 bits, 144 get 8: 1544 bits, 193 bytes each for table and data.
  int seven = 0;
  for (int k = 0; k < 200; ++k) seven += out[12 + 2 * k] == 7;
  EXPECT_EQ(seven, 56);
  std::uint8_t x = 0;
  for (std::uint8_t b : in) x ^= b;
  EXPECT_EQ(out[4], x);
}

TEST(Encode, StoredVariantForEmptyAndSingleValueInput) {
  EXPECT_EQ(Encoded({}), (Bytes{0x48, 0x45, 0x30, 0x0D}));
  EXPECT_EQ(Encoded({7}), (Bytes{0x48, 0x45, 0x30, 0x0D, 7}));
  EXPECT_EQ(Encoded(Bytes(5, 0)), (Bytes{0x48, 0x45, 0x30, 0x0D, 0, 0, 0, 0, 0}));
}

TEST(Encode, EncodesOnlyTheGivenLength) {
  Bytes in = Text("abcXYZ");
  Encode(in, 3);
  EXPECT_EQ(in, Encoded(Text("abc")));
}

TEST(Encode, LengthOutsideTheBufferIsASubscriptError) {
  for (std::int32_t bad : {-1, 4}) {
    Bytes in = Text("abc");
    try {
      Encode(in, bad);
      FAIL() << bad;
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), kSubscriptOutOfRange);
    }
    EXPECT_EQ(in, Text("abc"));
  }
}

}  // namespace
}  // namespace lekhora
