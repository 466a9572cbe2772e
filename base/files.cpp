#include "base/files.h"

#include <fcntl.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <random>

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace lekhora {
namespace {

// The few file-system calls the codec needs, on each platform. Each returns
// what its POSIX namesake does and leaves the reason in errno.
namespace sys {
#ifdef _WIN32
int OpenForReading(const std::filesystem::path& path) {
  return ::_wopen(path.c_str(), _O_RDONLY | _O_BINARY);
}
int CreateNew(const std::filesystem::path& path) {
  return ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
long long Read(int fd, void* buffer, std::size_t n) {
  return ::_read(fd, buffer, static_cast<unsigned>(n > INT_MAX ? INT_MAX : n));
}
long long Write(int fd, const void* buffer, std::size_t n) {
  return ::_write(fd, buffer, static_cast<unsigned>(n > INT_MAX ? INT_MAX : n));
}
int Sync(int fd) {
  return ::_commit(fd);
}
int Close(int fd) {
  return ::_close(fd);
}
void Remove(const std::filesystem::path& path) {
  ::_wunlink(path.c_str());
}
int Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return 0;
  errno = EACCES;
  return -1;
}
#else
int OpenForReading(const std::filesystem::path& path) {
  return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}
int CreateNew(const std::filesystem::path& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
long long Read(int fd, void* buffer, std::size_t n) {
  return ::read(fd, buffer, n);
}
long long Write(int fd, const void* buffer, std::size_t n) {
  return ::write(fd, buffer, n);
}
int Sync(int fd) {
  return ::fsync(fd);
}
int Close(int fd) {
  return ::close(fd);
}
void Remove(const std::filesystem::path& path) {
  ::unlink(path.c_str());
}
int Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  return ::rename(from.c_str(), to.c_str());
}
#endif
}  // namespace sys

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) sys::Close(fd_);
  }
  int get() const { return fd_; }
  /// Closes now and reports whether the close succeeded.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return sys::Close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const std::uint8_t* p, std::size_t n) {
  while (n > 0) {
    const long long done = sys::Write(fd, p, n);
    if (done < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += done;
    n -= static_cast<std::size_t>(done);
  }
  return true;
}

// A path for a message: UTF-8 whatever the platform's own encoding.
std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::filesystem::path TemporaryBeside(const std::filesystem::path& destination) {
  thread_local std::mt19937_64 rng{std::random_device{}()};
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(rng()));
  std::filesystem::path name = ".";
  name += destination.filename();
  name += suffix;
  return destination.parent_path() / name;
}

}  // namespace

Error FileSystemError(int err, const std::string& source, const std::filesystem::path& path) {
  std::int32_t number = kPathFileAccessError;
  const char* text = "Path/File access error";
  switch (err) {
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
      number = kDiskFull;
      text = "Disk full";
      break;
    case EACCES:
    case EPERM:
    case EROFS:
      number = kPermissionDenied;
      text = "Permission denied";
      break;
    case ENOENT:
    case ENOTDIR:
      number = kPathNotFound;
      text = "Path not found";
      break;
    default:
      break;
  }
  return Error(number, source,
               std::string(text) + ": " + PathText(path) + " (" + std::strerror(err) + ")");
}

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path,
                                        const std::string& source) {
  FileDescriptor fd(sys::OpenForReading(path));
  if (fd.get() < 0) throw FileSystemError(errno, source, path);
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) throw FileSystemError(ec.value(), source, path);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  std::size_t got = 0;
  while (got < bytes.size()) {
    const long long n = sys::Read(fd.get(), bytes.data() + got, bytes.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileSystemError(errno, source, path);
    }
    if (n == 0) break;  // the file shrank while we read it
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

bool FileExists(const std::filesystem::path& path) {
  std::error_code ec;
  (void)std::filesystem::file_size(path, ec);
  return !ec;
}

void ReplaceFile(const std::filesystem::path& destination, const std::vector<std::uint8_t>& bytes,
                 const std::string& source) {
  std::filesystem::path temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temporary = TemporaryBeside(destination);
    fd = sys::CreateNew(temporary);
    if (fd < 0 && errno != EEXIST) throw FileSystemError(errno, source, destination);
  }
  if (fd < 0) throw FileSystemError(EEXIST, source, destination);
  FileDescriptor file(fd);
  auto fail = [&](int err) {
    file.Close();
    sys::Remove(temporary);
    return FileSystemError(err, source, destination);
  };
  if (!WriteAll(file.get(), bytes.data(), bytes.size())) throw fail(errno);
  // The data must be on disk before the rename makes it the destination.
  if (sys::Sync(file.get()) != 0) throw fail(errno);
  if (!file.Close()) {
    const int err = errno;
    sys::Remove(temporary);
    throw FileSystemError(err, source, destination);
  }
  if (sys::Rename(temporary, destination) != 0) {
    const int err = errno;
    sys::Remove(temporary);
    throw FileSystemError(err, source, destination);
  }
}

}  // namespace lekhora
