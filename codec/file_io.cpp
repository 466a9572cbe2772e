#include "codec/file_io.h"

#include "codec/he3_format.h"

namespace lekhora {

Bytes ReadSourceFile(const std::filesystem::path& path, const std::string& source) {
  if (!FileExists(path)) throw Error(kCodecErrorNumber, source, he3::kNoSourceText);
  Bytes bytes = ReadFileBytes(path, source);
  // A buffer of exactly the file's length: an empty file has none to size.
  if (bytes.empty()) throw SubscriptError();
  return bytes;
}

}  // namespace lekhora
