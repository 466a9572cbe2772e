#pragma once
// Hand-made HE3 buffers for the tests: any code table, including ones the
// encoder would never write (long, clashing or incomplete codes).

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "base/error.h"
#include "codec/he3.h"
#include "tests/support/decode_outcome.h"

namespace lekhora::testing {

/// Codes as strings of '0'/'1', first bit first.
using CodeMap = std::map<int, std::string>;

class BitSink {
 public:
  void Put(const std::string& bits) {
    for (char c : bits) {
      if (used_ % 8 == 0) bytes.push_back(0);
      if (c == '1') bytes.back() |= static_cast<std::uint8_t>(1u << (used_ % 8));
      ++used_;
    }
  }
  Bytes bytes;

 private:
  std::size_t used_ = 0;
};

inline void PutLe(Bytes& b, std::uint32_t v, int n) {
  for (int i = 0; i < n; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline std::uint8_t XorOf(const Bytes& b) {
  std::uint8_t x = 0;
  for (std::uint8_t c : b) x ^= c;
  return x;
}

/// A compressed buffer announcing `length` bytes (default: the message's) whose
/// data bits are the codes of `message`, followed by `extraData` raw bytes.
inline Bytes MakeHe3(const CodeMap& codes, const Bytes& message, std::int64_t length = -1,
                     int checksum = -1, const Bytes& extraData = {}) {
  Bytes out = {0x48, 0x45, 0x33, 0x0D};
  out.push_back(checksum < 0 ? XorOf(message) : static_cast<std::uint8_t>(checksum));
  PutLe(out, static_cast<std::uint32_t>(length < 0 ? message.size() : length), 4);
  PutLe(out, static_cast<std::uint32_t>(codes.size()), 2);
  BitSink table;
  for (const auto& [symbol, bits] : codes) {
    out.push_back(static_cast<std::uint8_t>(symbol));
    out.push_back(static_cast<std::uint8_t>(bits.size()));
    table.Put(bits);
  }
  out.insert(out.end(), table.bytes.begin(), table.bytes.end());
  BitSink data;
  for (std::uint8_t c : message) data.Put(codes.at(c));
  out.insert(out.end(), data.bytes.begin(), data.bytes.end());
  out.insert(out.end(), extraData.begin(), extraData.end());
  return out;
}

}  // namespace lekhora::testing
