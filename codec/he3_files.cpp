#include "codec/he3.h"

#include "codec/file_io.h"
#include "codec/he3_format.h"

namespace lekhora {

Bytes DecodeFile(const std::filesystem::path& path) {
  Bytes buffer = ReadSourceFile(path, he3::kDecodeFileSource);
  if (buffer.size() > static_cast<std::size_t>(INT32_MAX)) throw OverflowError();
  Decode(buffer, static_cast<std::int32_t>(buffer.size()));
  return buffer;
}

void EncodeFile(const std::filesystem::path& source, const std::filesystem::path& destination) {
  Bytes buffer = ReadSourceFile(source, he3::kEncodeFileSource);
  if (buffer.size() > static_cast<std::size_t>(INT32_MAX)) throw OverflowError();
  Encode(buffer, static_cast<std::int32_t>(buffer.size()));
  ReplaceFile(destination, buffer, he3::kEncodeFileSource);
}

}  // namespace lekhora
