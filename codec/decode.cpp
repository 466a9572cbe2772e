#include <cstring>
#include <memory>

#include "base/error.h"
#include "codec/checksum_p.h"
#include "codec/code_tree.h"
#include "codec/he3.h"
#include "codec/he3_format.h"
#include "codec/table_decoder_p.h"

namespace lekhora {

void Decode(Bytes& buffer, std::int32_t length) {
  if (length < 0 || static_cast<std::size_t>(length) > buffer.size()) throw SubscriptError();
  const std::size_t n = static_cast<std::size_t>(length);
  const std::uint8_t* p = buffer.data();
  if (n < static_cast<std::size_t>(he3::kIdSize)) throw SubscriptError();
  if (!he3::IsIdentification(p)) throw he3::NotHe3Error();

  if (p[2] == he3::kIdStored) {
    // A buffer is never shrunk to nothing: an empty stored body is an error.
    if (n == static_cast<std::size_t>(he3::kIdSize)) throw SubscriptError();
    Bytes out(p + he3::kIdSize, p + n);
    buffer.swap(out);
    return;
  }

  he3::CompressedHeader header = he3::ReadLengthField(p, n);
  if (header.length == 0) return;  // announced as empty: the buffer stays as it is
  if (header.length < 0) throw SubscriptError();
  auto tree = std::make_unique<he3::CodeTree>();
  he3::ReadCodeTable(p, n, header, *tree);
  Bytes out =
      he3::DecodeWithTable(*tree, p, n, header.dataStart, static_cast<std::size_t>(header.length));
  if (out.empty()) throw SubscriptError();
  if (he3::XorChecksum(out.data(), out.size()) != header.checksum) throw he3::ChecksumError();
  buffer.swap(out);
}

}  // namespace lekhora
