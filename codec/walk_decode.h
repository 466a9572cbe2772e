#pragma once
// The plain decoder: reads the code table into per-symbol bit arrays, builds
// the node pool and walks it one bit at a time. It is the yardstick the table
// decoder is measured and checked against; the program itself uses Decode.

#include <cstdint>

#include "codec/he3.h"

namespace lekhora {

/// Same contract, results and errors as Decode.
void WalkDecode(Bytes& buffer, std::int32_t length);

}  // namespace lekhora
