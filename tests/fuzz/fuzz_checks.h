#pragma once
// The properties the fuzzers hunt for violations of; the replay test runs the
// same checks over the saved inputs. A violation aborts with a message.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "base/error.h"
#include "codec/code_tree.h"
#include "codec/he3.h"
#include "codec/table_decoder_p.h"
#include "codec/walk_decode.h"
#include "tests/support/decode_outcome.h"

namespace lekhora::fuzz {

[[noreturn]] inline void Violated(const char* what) {
  std::fprintf(stderr, "property violated: %s\n", what);
  std::abort();
}

using testing::Outcome;

template <typename Fn>
Outcome Run(Fn decode, const Bytes& input) {
  Outcome o = testing::Run(decode, input);
  if (!o.untouched) Violated("a failed decode changed the buffer");
  return o;
}

/// Any bytes: both decoders agree exactly, and the table agrees at every width.
inline void CheckDecode(const std::uint8_t* data, std::size_t size) {
  const Bytes input(data, data + size);
  const Outcome walk = Run(WalkDecode, input);
  if (!(Run(Decode, input) == walk)) Violated("Decode differs from the walk");
  if (!walk.ok || size < he3::kPairsOffset || input[2] != he3::kIdCompressed) return;
  he3::CompressedHeader header = he3::ReadLengthField(input.data(), size);
  if (header.length <= 0) return;
  auto tree = std::make_unique<he3::CodeTree>();
  he3::ReadCodeTable(input.data(), size, header, *tree);
  for (int width : {he3::kMinTableBits, 7, he3::kMaxTableBits}) {
    const Bytes out = he3::DecodeWithTable(*tree, input.data(), size, header.dataStart,
                                           static_cast<std::size_t>(header.length), width);
    if (out != walk.bytes) Violated("a table width differs from the walk");
  }
}

/// Any non-empty bytes: encoding then decoding gives them back, by both decoders.
inline void CheckRoundTrip(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return;  // empty input encodes to the stored header alone, which is refused
  const Bytes input(data, data + size);
  Bytes encoded = input;
  Encode(encoded, static_cast<std::int32_t>(encoded.size()));
  Bytes again = input;
  Encode(again, static_cast<std::int32_t>(again.size()));
  if (again != encoded) Violated("Encode is not deterministic");
  const Outcome fast = Run(Decode, encoded);
  if (!fast.ok || fast.bytes != input) Violated("Decode(Encode(x)) != x");
  if (!(Run(WalkDecode, encoded) == fast)) Violated("the walk differs on encoded data");
}

}  // namespace lekhora::fuzz
