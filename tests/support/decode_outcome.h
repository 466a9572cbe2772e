#pragma once
// What a decoder made of a buffer, compared across decoders by the codec
// tests and the fuzzers alike.

#include <cstdint>
#include <string>

#include "base/error.h"
#include "codec/he3.h"

namespace lekhora::testing {

/// The outcome of a decoder on a buffer: the bytes, or the error it raised.
struct Outcome {
  bool ok = false;
  Bytes bytes;
  std::int32_t number = 0;
  std::string source;
  std::string description;
  bool untouched = true;  // after a failure: the buffer kept its contents
  bool operator==(const Outcome&) const = default;
};

template <typename DecodeFn>
Outcome Run(DecodeFn decode, Bytes buffer) {
  Outcome o;
  const Bytes before = buffer;
  try {
    decode(buffer, static_cast<std::int32_t>(buffer.size()));
    o.ok = true;
    o.bytes = buffer;
  } catch (const Error& e) {
    o.number = e.number();
    o.source = e.source();
    o.description = e.description();
    o.untouched = buffer == before;
  }
  return o;
}

}  // namespace lekhora::testing
