#include "base/read_whole_file.h"

#include <fcntl.h>

#include <cerrno>

#include "base/error.h"
#include "base/files.h"
#include "base/utf16.h"

#ifdef _WIN32
#include <fstream>
#else
#include <unistd.h>
#endif

namespace lekhora {

namespace {

constexpr const char* kSource = "ReadWholeFile";

// Creates path empty unless something of that name is there already: never
// opens an existing FIFO or device for writing, and never truncates.
void CreateIfMissing(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::symlink_status(path, ec).type() != std::filesystem::file_type::not_found)
    return;
  if (!path.is_absolute()) throw FileAccessError(kSource);
#ifdef _WIN32
  std::ofstream create(path, std::ios::binary | std::ios::app);
  if (!create) throw FileAccessError(kSource);
#else
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
  if (fd < 0 && errno != EEXIST) throw FileAccessError(kSource);
  if (fd >= 0) ::close(fd);
#endif
}

}  // namespace

std::u16string ReadWholeFile(const std::filesystem::path& path, std::uintmax_t limit,
                             IfMissing missing) {
  if (missing == IfMissing::kCreateEmpty) {
    CreateIfMissing(path);
  } else {
    std::error_code ec;
    if (std::filesystem::symlink_status(path, ec).type() == std::filesystem::file_type::not_found)
      return {};
  }
  try {
    return BytesToUtf16(ReadFileBytes(path, kSource, limit));
  } catch (const Error& error) {
    if (error.number() == kOverflow) throw;
    throw FileAccessError(kSource);
  }
}

}  // namespace lekhora
