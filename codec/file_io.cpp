#include "codec/file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#include "codec/he3_format.h"

namespace lekhora {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  /// Closes now and reports whether the close succeeded.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const std::uint8_t* p, std::size_t n) {
  while (n > 0) {
    const ssize_t done = ::write(fd, p, n);
    if (done < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += done;
    n -= static_cast<std::size_t>(done);
  }
  return true;
}

std::filesystem::path TemporaryBeside(const std::filesystem::path& destination) {
  thread_local std::mt19937_64 rng{std::random_device{}()};
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(rng()));
  std::filesystem::path name = "." + destination.filename().string() + suffix;
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
               std::string(text) + ": " + path.string() + " (" + std::strerror(err) + ")");
}

Bytes ReadSourceFile(const std::filesystem::path& path, const std::string& source) {
  if (!FileExists(path)) throw Error(kCodecErrorNumber, source, he3::kNoSourceText);
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) throw FileSystemError(errno, source, path);
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) throw FileSystemError(ec.value(), source, path);
  // A buffer of exactly the file's length: an empty file has none to size.
  if (size == 0) throw SubscriptError();
  Bytes bytes(static_cast<std::size_t>(size));
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::read(fd.get(), bytes.data() + got, bytes.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileSystemError(errno, source, path);
    }
    if (n == 0) break;  // the file shrank while we read it
    got += static_cast<std::size_t>(n);
  }
  if (got == 0) throw SubscriptError();
  bytes.resize(got);
  return bytes;
}

void ReplaceFile(const std::filesystem::path& destination, const Bytes& bytes,
                 const std::string& source) {
  std::filesystem::path temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temporary = TemporaryBeside(destination);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) throw FileSystemError(errno, source, destination);
  }
  if (fd < 0) throw FileSystemError(EEXIST, source, destination);
  FileDescriptor file(fd);
  auto fail = [&](int err) {
    file.Close();
    ::unlink(temporary.c_str());
    return FileSystemError(err, source, destination);
  };
  if (!WriteAll(file.get(), bytes.data(), bytes.size())) throw fail(errno);
  // The data must be on disk before the rename makes it the destination.
  if (::fsync(file.get()) != 0) throw fail(errno);
  if (!file.Close()) {
    const int err = errno;
    ::unlink(temporary.c_str());
    throw FileSystemError(err, source, destination);
  }
  if (::rename(temporary.c_str(), destination.c_str()) != 0) {
    const int err = errno;
    ::unlink(temporary.c_str());
    throw FileSystemError(err, source, destination);
  }
}

}  // namespace lekhora
