// Decoding of both variants and every failure, through the table decoder and
// the bit-by-bit walk alike.
#include <gtest/gtest.h>

#include "base/error.h"
#include "codec/he3.h"
#include "codec/he3_format.h"
#include "codec/walk_decode.h"
#include "tests/codec/he3_builder.h"

namespace lekhora {
namespace {

using testing::CodeMap;
using testing::MakeHe3;
using testing::Outcome;

const char* const kNotHe3 =
    "The data either was not compressed with HE3 or is corrupt (identification string not found)";
const char* const kBadSum = "The data might be corrupted (checksum did not match expected value)";

// Both decoders, checked to agree; the table decoder's outcome is returned.
Outcome DecodeBoth(const Bytes& in) {
  const Outcome fast = testing::Run(Decode, in);
  const Outcome walk = testing::Run(WalkDecode, in);
  EXPECT_EQ(fast, walk);
  EXPECT_TRUE(fast.ok || fast.untouched);
  return fast;
}

Outcome Decoded(const Bytes& bytes) {
  Outcome o;
  o.ok = true;
  o.bytes = bytes;
  return o;
}

void ExpectError(const Bytes& in, std::int32_t number, const std::string& source,
                 const std::string& description) {
  const Outcome o = DecodeBoth(in);
  EXPECT_FALSE(o.ok);
  EXPECT_EQ(o.number, number);
  EXPECT_EQ(o.source, source);
  EXPECT_EQ(o.description, description);
}

void ExpectSubscript(const Bytes& in) {
  ExpectError(in, kSubscriptOutOfRange, kRuntimeSource, "Subscript out of range");
}

const CodeMap kAbc = {{'a', "10"}, {'b', "11"}, {'c', "0"}};
const Bytes kAbcText = {'a', 'b', 'c'};

TEST(Decode, StoredVariant) {
  EXPECT_EQ(DecodeBoth({0x48, 0x45, 0x30, 0x0D, 'a', 'b', 'c'}), Decoded(kAbcText));
  EXPECT_EQ(DecodeBoth({0x48, 0x45, 0x30, 0x0D, 0}), Decoded({0}));
  // Never shrunk to nothing.
  ExpectSubscript({0x48, 0x45, 0x30, 0x0D});
}

TEST(Decode, WorkedExampleAndOnlyTheGivenLength) {
  const Bytes abc = MakeHe3(kAbc, kAbcText);
  ASSERT_EQ(abc.size(), 19u);
  EXPECT_EQ(DecodeBoth(abc), Decoded(kAbcText));
  Bytes padded = abc;
  padded.insert(padded.end(), {0xFF, 0xFF});
  EXPECT_EQ(testing::Run([](Bytes& b, std::int32_t) { Decode(b, 19); }, padded), Decoded(kAbcText));
}

TEST(Decode, IdentificationIsCheckedFirst) {
  ExpectSubscript({});
  ExpectSubscript({0x48, 0x45, 0x33});
  ExpectError({0x48, 0x45, 0x31, 0x0D, 1, 2, 3}, kCodecErrorNumber, "HuffmanDecode()", kNotHe3);
  ExpectError({0x48, 0x45, 0x33, 0x0A}, kCodecErrorNumber, "HuffmanDecode()", kNotHe3);
  ExpectError({'h', 0x45, 0x30, 0x0D}, kCodecErrorNumber, "HuffmanDecode()", kNotHe3);
}

TEST(Decode, ZeroLengthFieldLeavesTheBufferAsItIs) {
  const Bytes in = {0x48, 0x45, 0x33, 0x0D, 0x00, 0, 0, 0, 0};
  EXPECT_EQ(DecodeBoth(in), Decoded(in));
  Bytes withGarbage = in;
  withGarbage.insert(withGarbage.end(), {0xFF, 0x7F, 1, 0});
  EXPECT_EQ(DecodeBoth(withGarbage), Decoded(withGarbage));
}

TEST(Decode, StopsAfterTheAnnouncedSymbols) {
  // The filler bits of "abc" read as "c" codes; the length field cuts them off.
  EXPECT_EQ(DecodeBoth(MakeHe3(kAbc, kAbcText, 3, -1, {0x00, 0x00})), Decoded(kAbcText));
  // Announcing fewer keeps only the first symbols (the checksum covers those).
  EXPECT_EQ(DecodeBoth(MakeHe3(kAbc, kAbcText, 2, 'a' ^ 'b')), Decoded({'a', 'b'}));
}

TEST(Decode, InputEndingEarlyGivesWhatWasProduced) {
  // 'a' 'b' 'c' then 3 filler bits that are three more c's.
  EXPECT_EQ(DecodeBoth(MakeHe3(kAbc, kAbcText, 100, 'a' ^ 'b')),
            Decoded({'a', 'b', 'c', 'c', 'c', 'c'}));
  // A 20-byte file announcing 2 GB decodes to what its bits hold.
  EXPECT_EQ(DecodeBoth(MakeHe3(kAbc, kAbcText, 0x7FFFFFFF, 'a' ^ 'b')),
            Decoded({'a', 'b', 'c', 'c', 'c', 'c'}));
}

TEST(Decode, ChecksumMismatch) {
  ExpectError(MakeHe3(kAbc, kAbcText, -1, 0x61), kCodecErrorNumber, "clsHuffman.Decode()", kBadSum);
  // One flipped data bit: "abc" becomes "bbc", which the sum rejects.
  Bytes flipped = MakeHe3(kAbc, kAbcText);
  flipped.back() ^= 0x02;
  ExpectError(flipped, kCodecErrorNumber, "clsHuffman.Decode()", kBadSum);
}

TEST(Decode, FieldsMissingOrOutOfRangeAreSubscriptErrors) {
  const Bytes abc = MakeHe3(kAbc, kAbcText);
  for (std::size_t cut : {5u, 8u, 10u, 12u, 16u, 17u})  // inside length, N, pairs, table
    ExpectSubscript(Bytes(abc.begin(), abc.begin() + static_cast<std::ptrdiff_t>(cut)));
  // Code table complete but no data: nothing produced.
  ExpectSubscript(Bytes(abc.begin(), abc.end() - 1));

  Bytes negativeLength = abc;
  negativeLength[8] = 0x80;
  ExpectSubscript(negativeLength);

  Bytes zeroCodeLength = abc;
  zeroCodeLength[12] = 0;
  ExpectSubscript(zeroCodeLength);

  Bytes negativeCount = abc;
  negativeCount[9] = 0xFE;
  negativeCount[10] = 0xFF;
  ExpectSubscript(negativeCount);

  Bytes hugeCount = abc;
  hugeCount[9] = 0xFF;
  hugeCount[10] = 0x7F;
  ExpectSubscript(hugeCount);

  // A code longer than the bits that follow.
  ExpectSubscript({0x48, 0x45, 0x33, 0x0D, 'a', 1, 0, 0, 0, 1, 0, 'a', 200, 0xFF, 0xFF});
}

TEST(Decode, NoCodesOrAbsentChildAreSubscriptErrors) {
  ExpectSubscript({0x48, 0x45, 0x33, 0x0D, 0, 1, 0, 0, 0, 0, 0});
  ExpectSubscript({0x48, 0x45, 0x33, 0x0D, 0, 1, 0, 0, 0, 0, 0, 0x00});
  // Only "0" and "10" exist: bits 1,1 lead nowhere, after some symbols or at once.
  const CodeMap partial = {{'a', "0"}, {'b', "10"}};
  ExpectSubscript(MakeHe3(partial, {'a', 'b'}, 10, -1, {0x03}));
  ExpectSubscript(MakeHe3(partial, {}, 1, -1, {0x03}));
}

TEST(Decode, TreeOfMoreThan512NodesIsRefused) {
  // Codes of 255 bits: the caterpillar 1, 01, 001, ... fits (511 nodes); two
  // values with 255-bit codes that part at the first bit do not.
  CodeMap fits;
  for (int v = 0; v < 255; ++v) fits[v] = std::string(static_cast<std::size_t>(v), '0') + "1";
  fits[255] = std::string(254, '0') + "0";
  for (auto& [v, code] : fits)
    if (code.size() > 255) code.resize(255);
  Bytes message = {0, 254, 255, 17};
  EXPECT_EQ(DecodeBoth(MakeHe3(fits, message)), Decoded(message));

  CodeMap tooMany = {
      {1, std::string(255, '0')}, {2, std::string(255, '1')}, {3, "1" + std::string(254, '0')}};
  ExpectSubscript(MakeHe3(tooMany, {1}));
}

TEST(Decode, LaterPairReplacesEarlierAndClashingCodesFollowTheTree) {
  // Pair 'a' 9 is replaced by 'a' 1: table bits are a=0, b=1.
  Bytes replaced = {0x48, 0x45, 0x33, 0x0D, 'a' ^ 'b', 2,   0, 0,    0,   3,
                    0,    'a',  9,    'b',  1,         'a', 1, 0x02, 0x02};
  EXPECT_EQ(DecodeBoth(replaced), Decoded({'a', 'b'}));
  // 'a' = 0 and 'b' = 01: reaching a's node always yields 'a'.
  EXPECT_EQ(DecodeBoth(MakeHe3({{'a', "0"}, {'b', "01"}}, {'a', 'a', 'a'}, 3, 'a')),
            Decoded({'a', 'a', 'a'}));
  // Two values with the same code: the higher one, stored last, wins.
  EXPECT_EQ(DecodeBoth(MakeHe3({{'a', "1"}, {'b', "1"}}, {'a', 'a'}, 2, 0)), Decoded({'b', 'b'}));
}

}  // namespace
}  // namespace lekhora
