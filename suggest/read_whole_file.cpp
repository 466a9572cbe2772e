#include "suggest/read_whole_file.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "codec/error.h"
#include "suggest/text_units.h"

namespace lekhora {

namespace {

// The run-time's number and text for a file that cannot be opened.
constexpr std::int32_t kFileAccessError = 75;

Error FileAccessError() {
  return Error(kFileAccessError, "ReadWholeFile", "Path/File access error");
}

}  // namespace

std::u16string ReadWholeFile(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    // Appending never truncates, should the file appear in the meantime.
    std::ofstream create(path, std::ios::binary | std::ios::app);
    if (!create) throw FileAccessError();
  }
  if (std::filesystem::is_directory(path, ec)) throw FileAccessError();
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileAccessError();
  std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
  if (in.bad()) throw FileAccessError();
  return BytesToUtf16(bytes);
}

}  // namespace lekhora
