#include "base/read_whole_file.h"

#include <fstream>

#include "base/error.h"
#include "base/files.h"
#include "base/utf16.h"

namespace lekhora {

namespace {

constexpr const char* kSource = "ReadWholeFile";

}  // namespace

std::u16string ReadWholeFile(const std::filesystem::path& path) {
  if (!FileExists(path)) {
    // Appending never truncates, should the file appear in the meantime.
    std::ofstream create(path, std::ios::binary | std::ios::app);
    if (!create) throw FileAccessError(kSource);
  }
  try {
    return BytesToUtf16(ReadFileBytes(path, kSource));
  } catch (const Error&) {
    throw FileAccessError(kSource);
  }
}

}  // namespace lekhora
