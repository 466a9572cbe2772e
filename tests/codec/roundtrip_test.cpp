// Seeded random inputs: the encoder's output decodes to its input, and the
// table decoder agrees with the bit-by-bit walk on every buffer, valid or not.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "codec/code_tree.h"
#include "codec/he3.h"
#include "codec/table_decoder_p.h"
#include "codec/walk_decode.h"
#include "tests/codec/he3_builder.h"

namespace lekhora {
namespace {

using testing::CodeMap;
using testing::MakeHe3;

// The table decoder at every width gives what the walk gives.
void ExpectDecodersAgree(const Bytes& in) {
  const testing::Outcome walk = testing::Run(WalkDecode, in);
  EXPECT_EQ(testing::Run(Decode, in), walk);
  if (in.size() < 11 || in[2] != 0x33) return;
  he3::CompressedHeader header = he3::ReadLengthField(in.data(), in.size());
  if (header.length <= 0) return;
  auto tree = std::make_unique<he3::CodeTree>();
  try {
    he3::ReadCodeTable(in.data(), in.size(), header, *tree);
  } catch (const Error&) {
    return;
  }
  for (int width = he3::kMinTableBits; width <= he3::kMaxTableBits; width += 4) {
    testing::Outcome fast;
    try {
      fast.bytes = he3::DecodeWithTable(*tree, in.data(), in.size(), header.dataStart,
                                        static_cast<std::size_t>(header.length), width);
      fast.ok = true;
    } catch (const Error& e) {
      fast.number = e.number();
    }
    if (walk.ok) {
      EXPECT_TRUE(fast.ok) << "width " << width;
      EXPECT_EQ(fast.bytes, walk.bytes) << "width " << width;
    } else if (walk.number == kSubscriptOutOfRange) {
      // Nothing produced and a dead end are both this error.
      EXPECT_TRUE(!fast.ok || fast.bytes.empty()) << "width " << width;
    }
  }
}

void ExpectRoundTrip(const Bytes& in) {
  Bytes buffer = in;
  Encode(buffer, static_cast<std::int32_t>(buffer.size()));
  ExpectDecodersAgree(buffer);
  Decode(buffer, static_cast<std::int32_t>(buffer.size()));
  ASSERT_EQ(buffer, in);
}

Bytes RandomBytes(std::mt19937& rng, std::size_t n, int alphabet) {
  std::uniform_int_distribution<int> pick(0, alphabet - 1);
  Bytes out(n);
  for (auto& b : out) b = static_cast<std::uint8_t>(pick(rng));
  return out;
}

TEST(RoundTrip, EverySizeFromOneTo300) {
  std::mt19937 rng(1);
  for (std::size_t n = 1; n <= 300; ++n) {
    ExpectRoundTrip(RandomBytes(rng, n, 256));
    ExpectRoundTrip(RandomBytes(rng, n, 1 + static_cast<int>(n % 7)));
  }
}

TEST(RoundTrip, SkewedCountsGiveLongCodes) {
  // Fibonacci counts build a caterpillar tree: k values give codes of up to k-1 bits.
  std::mt19937 rng(2);
  // 31 values (3.5 MB) pass 28 bits, where the encoder leaves its two-codes-per-store path.
  for (int values : {12, 21, 28, 31}) {
    Bytes in;
    std::uint32_t a = 1, b = 1;
    for (int v = 0; v < values; ++v) {
      in.insert(in.end(), a, static_cast<std::uint8_t>(v * 7 + 3));
      const std::uint32_t next = a + b;
      a = b;
      b = next;
    }
    std::shuffle(in.begin(), in.end(), rng);
    Bytes encoded = in;
    Encode(encoded, static_cast<std::int32_t>(encoded.size()));
    int longest = 0;
    for (int k = 0; k < encoded[9]; ++k) longest = std::max<int>(longest, encoded[12 + 2 * k]);
    EXPECT_EQ(longest, values - 1);
    ExpectRoundTrip(in);
  }
}

TEST(RoundTrip, WordLikeText) {
  // UTF-16LE Devanagari words separated by CR LF, as the word list holds them.
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> letter(0x0905, 0x094D), wordLength(2, 9);
  Bytes in;
  for (int w = 0; w < 5000; ++w) {
    for (int i = wordLength(rng); i > 0; --i) {
      const int c = letter(rng);
      in.push_back(static_cast<std::uint8_t>(c));
      in.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    in.insert(in.end(), {0x0D, 0x00, 0x0A, 0x00});
  }
  ExpectRoundTrip(in);
}

// A random complete code tree with long branches, as strings per value.
CodeMap RandomCodes(std::mt19937& rng, int leaves) {
  std::vector<std::string> codes = {"0", "1"};
  while (static_cast<int>(codes.size()) < leaves) {
    // Mostly split the longest code, so that some codes grow far past the table.
    std::size_t at = std::uniform_int_distribution<std::size_t>(0, codes.size() - 1)(rng);
    if (rng() % 2)
      at = static_cast<std::size_t>(
          std::max_element(codes.begin(), codes.end(),
                           [](auto& x, auto& y) { return x.size() < y.size(); }) -
          codes.begin());
    if (codes[at].size() >= 255) break;
    const std::string parent = codes[at];
    codes[at] = parent + "0";
    codes.push_back(parent + "1");
  }
  std::vector<int> values(256);
  for (int v = 0; v < 256; ++v) values[v] = v;
  std::shuffle(values.begin(), values.end(), rng);
  CodeMap map;
  for (std::size_t i = 0; i < codes.size(); ++i) map[values[i]] = codes[i];
  return map;
}

TEST(TableDecoder, AgreesWithTheWalkOnLongAndBrokenCodes) {
  std::mt19937 rng(4);
  for (int round = 0; round < 300; ++round) {
    const CodeMap codes = RandomCodes(rng, 2 + static_cast<int>(rng() % 60));
    std::vector<int> used;
    for (const auto& entry : codes) used.push_back(entry.first);
    Bytes message(1 + rng() % 200);
    for (auto& b : message) b = static_cast<std::uint8_t>(used[rng() % used.size()]);
    Bytes in = MakeHe3(codes, message);
    ExpectDecodersAgree(in);
    EXPECT_EQ(testing::Run(Decode, in).bytes, message);
    // Damage: drop a value's code (dead ends), cut the input, flip bits, misstate the length.
    CodeMap holed = codes;
    holed.erase(holed.begin());
    Bytes broken =
        MakeHe3(holed, {}, static_cast<std::int64_t>(message.size()), -1,
                Bytes(in.end() - static_cast<std::ptrdiff_t>(message.size() % 5 + 1), in.end()));
    ExpectDecodersAgree(broken);
    Bytes cut(in.begin(), in.end() - static_cast<std::ptrdiff_t>(rng() % 4));
    ExpectDecodersAgree(cut);
    Bytes flipped = in;
    flipped[rng() % flipped.size()] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
    ExpectDecodersAgree(flipped);
    Bytes longer = MakeHe3(codes, message, static_cast<std::int64_t>(message.size() * 3), 0);
    ExpectDecodersAgree(longer);
  }
}

}  // namespace
}  // namespace lekhora
