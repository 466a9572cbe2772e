#include "base/files.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <string_view>

#include "base/temporary_cleanup.h"

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <sys/stat.h>
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
int CreateNew(const std::filesystem::path& path, bool) {
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
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  // Regular files ignore the flag; it is cleared for the reads all the same.
  if (fd >= 0) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}
int CreateNew(const std::filesystem::path& path, bool shared) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, shared ? 0666 : 0600);
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

constexpr char kTemporaryStart[] = ".lekhora-";
constexpr char kTemporaryEnd[] = ".tmp";

// Eight hex digits of the destination's own name (FNV-1a), so that a folder
// of several files tells whose temporary it holds.
std::string NameMark(const std::filesystem::path& destination) {
  std::uint32_t hash = 2166136261u;
  const std::filesystem::path name = destination.filename();
  for (const auto c : name.native()) {
    hash ^= static_cast<std::uint32_t>(c);
    hash *= 16777619u;
  }
  char mark[16];
  std::snprintf(mark, sizeof mark, "%08x", static_cast<unsigned>(hash));
  return mark;
}

bool IsLowerHex(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

Error NotRegularError(const std::string& source, const std::filesystem::path& path) {
  return Error(kPathFileAccessError, source,
               "Path/File access error: " + PathText(path) + " (not a regular file)");
}

#ifndef _WIN32
// Writes bytes into an open descriptor from its start and cuts it there.
bool WriteFromStart(int fd, const std::vector<std::uint8_t>& bytes) {
  if (::lseek(fd, 0, SEEK_SET) != 0) return false;
  if (!WriteAll(fd, bytes.data(), bytes.size())) return false;
  return ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0;
}

// A device, FIFO or terminal takes the bytes as they are: there is nothing to
// rename over and nothing to sync.
void WriteDirectly(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes,
                   const std::string& source) {
  int fd;
  do {
    fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) throw FileSystemError(errno, source, path);
  FileDescriptor file(fd);
  if (!WriteAll(file.get(), bytes.data(), bytes.size())) throw FileSystemError(errno, source, path);
  if (!file.Close()) throw FileSystemError(errno, source, path);
}

// The links of a multiply linked file must all see the new contents, which a
// rename cannot give; the room is reserved before the first byte changes, so
// that a full disk fails with the old contents intact.
void WriteInPlace(const std::filesystem::path& path, const struct stat& old,
                  const std::vector<std::uint8_t>& bytes, const std::string& source) {
  FileDescriptor file(::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
  if (file.get() < 0) throw FileSystemError(errno, source, path);
  if (static_cast<std::uintmax_t>(old.st_size) < bytes.size()) {
    const int err = ::posix_fallocate(file.get(), 0, static_cast<off_t>(bytes.size()));
    if (err != 0 && err != EOPNOTSUPP && err != EINVAL) throw FileSystemError(err, source, path);
  }
  if (!WriteFromStart(file.get(), bytes) || ::fsync(file.get()) != 0)
    throw FileSystemError(errno, source, path);
  if (!file.Close()) throw FileSystemError(errno, source, path);
}
#endif

// The new file beside destination, renamed over it once complete. old is the
// file replaced, whose mode, owner and group the new one takes.
void WriteThroughTemporary(const std::filesystem::path& destination,
                           const std::vector<std::uint8_t>& bytes, const std::string& source,
                           const void* old, bool isPrivate) {
  std::filesystem::path temporary;
  int fd = -1;
  std::optional<TemporaryCleanup> cleanup;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temporary = TemporaryNameFor(destination);
    HoldStopSignals hold;
    // Private until it has the replaced file's owner and mode.
    fd = sys::CreateNew(temporary, old == nullptr && !isPrivate);
    if (fd < 0 && errno != EEXIST) throw FileSystemError(errno, source, destination);
    if (fd >= 0) cleanup.emplace(temporary);
  }
  if (fd < 0) throw FileSystemError(EEXIST, source, destination);
  FileDescriptor file(fd);
  auto fail = [&](int err) {
    file.Close();
    sys::Remove(temporary);
    cleanup->Release();
    return FileSystemError(err, source, destination);
  };
  if (!WriteAll(file.get(), bytes.data(), bytes.size())) throw fail(errno);
#ifndef _WIN32
  if (old != nullptr) {
    const auto& st = *static_cast<const struct stat*>(old);
    // The owner first: changing it clears the set-id bits that the mode sets.
    // Only root may give a file away; a user keeps at least the group, and
    // failing that the file is the user's own, as a new one would be.
    if (::fchown(file.get(), st.st_uid, st.st_gid) != 0) {
      // Failing even that is no error. The result goes into a variable since
      // a cast to void does not quiet glibc's warn_unused_result.
      [[maybe_unused]] const int groupKept =
          ::fchown(file.get(), static_cast<uid_t>(-1), st.st_gid);
    }
    if (::fchmod(file.get(), st.st_mode & 07777) != 0) throw fail(errno);
  }
#endif
  // The data must be on disk before the rename makes it the destination.
  if (sys::Sync(file.get()) != 0) throw fail(errno);
  if (!file.Close()) {
    const int err = errno;
    sys::Remove(temporary);
    cleanup->Release();
    throw FileSystemError(err, source, destination);
  }
  HoldStopSignals hold;
  if (sys::Rename(temporary, destination) != 0) {
    const int err = errno;
    sys::Remove(temporary);
    cleanup->Release();
    throw FileSystemError(err, source, destination);
  }
  cleanup->Release();
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
                                        const std::string& source, std::uintmax_t limit) {
  // Opening a FIFO waits for a writer unless told not to.
  FileDescriptor fd(sys::OpenForReading(path));
  if (fd.get() < 0) throw FileSystemError(errno, source, path);
  std::uintmax_t size = 0;
#ifdef _WIN32
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) throw NotRegularError(source, path);
  size = std::filesystem::file_size(path, ec);
  if (ec) throw FileSystemError(ec.value(), source, path);
#else
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) throw FileSystemError(errno, source, path);
  if (S_ISDIR(st.st_mode)) throw FileSystemError(EISDIR, source, path);
  if (!S_ISREG(st.st_mode)) throw NotRegularError(source, path);
  size = static_cast<std::uintmax_t>(st.st_size);
#endif
  if (size > limit) throw OverflowError(source);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  std::size_t got = 0;
  for (;;) {
    if (got == bytes.size()) {
      // The file may have grown since its size was taken: read on, in steps,
      // up to one byte past the limit.
      if (got > limit) throw OverflowError(source);
      const std::size_t room = static_cast<std::size_t>(
          std::min<std::uintmax_t>(limit + 1 - got, std::max<std::size_t>(got, 1 << 16)));
      bytes.resize(got + room);
    }
    const long long n = sys::Read(fd.get(), bytes.data() + got, bytes.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileSystemError(errno, source, path);
    }
    if (n == 0) break;  // the end, or the file shrank while we read it
    got += static_cast<std::size_t>(n);
  }
  if (got > limit) throw OverflowError(source);
  bytes.resize(got);
  return bytes;
}

bool FileExists(const std::filesystem::path& path) {
  std::error_code ec;
  (void)std::filesystem::file_size(path, ec);
  return !ec;
}

namespace {

// Where a chain of symbolic links starting at path ends (path itself when it
// is no link); the end need not exist.
std::filesystem::path FollowLinks(const std::filesystem::path& path, const std::string& source) {
  std::filesystem::path target = path;
  std::error_code ec;
  for (int hops = 0; std::filesystem::is_symlink(std::filesystem::symlink_status(target, ec));
       ++hops) {
    if (hops == 40) throw FileSystemError(ELOOP, source, path);
    const std::filesystem::path next = std::filesystem::read_symlink(target, ec);
    if (ec) throw FileSystemError(ec.value(), source, path);
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return target;
}

}  // namespace

std::filesystem::path TemporaryNameFor(const std::filesystem::path& destination) {
  thread_local std::mt19937 rng{std::random_device{}()};
  char random[16];
  std::snprintf(random, sizeof random, "%08x", static_cast<unsigned>(rng()));
  return destination.parent_path() /
         (kTemporaryStart + NameMark(destination) + "-" + random + kTemporaryEnd);
}

bool IsTemporaryNameFor(const std::filesystem::path& destination,
                        const std::filesystem::path& name) {
  const std::string text = name.string();
  const std::string start = kTemporaryStart + NameMark(destination) + "-";
  const std::string_view end = kTemporaryEnd;
  if (text.size() != start.size() + 8 + end.size() || !text.starts_with(start) ||
      !text.ends_with(end))
    return false;
  return IsLowerHex(std::string_view(text).substr(start.size(), 8));
}

// Versions before the name mark wrote ".lekhora-XXXXXXXX.tmp" beside the
// user's files and never removed what a killed save left; such a file holds
// typed text, and only this program writes names of that form there.
static bool IsUnmarkedTemporaryName(const std::filesystem::path& name) {
  const std::string text = name.string();
  const std::string_view start = kTemporaryStart;
  const std::string_view end = kTemporaryEnd;
  return text.size() == start.size() + 8 + end.size() && text.starts_with(start) &&
         text.ends_with(end) && IsLowerHex(std::string_view(text).substr(start.size(), 8));
}

void RemoveStaleTemporaries(const std::filesystem::path& destination) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(destination.parent_path(), ec)) {
    const std::filesystem::path name = entry.path().filename();
    if ((IsTemporaryNameFor(destination, name) || IsUnmarkedTemporaryName(name)) &&
        entry.symlink_status(ec).type() == std::filesystem::file_type::regular)
      std::filesystem::remove(entry.path(), ec);
  }
}

bool LinkLeadsOutside(const std::filesystem::path& path, const std::filesystem::path& folder) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) return false;
  try {
    const std::filesystem::path target =
        std::filesystem::weakly_canonical(FollowLinks(path, "LinkLeadsOutside"));
    const std::filesystem::path inside = std::filesystem::weakly_canonical(folder);
    const auto [stop, _] =
        std::mismatch(inside.begin(), inside.end(), target.begin(), target.end());
    return stop != inside.end();
  } catch (const std::exception&) {
    return true;  // a loop or an unreadable link: no telling where it leads
  }
}

bool CreatePrivateFolders(const std::filesystem::path& folder) {
  std::error_code ec;
  std::filesystem::path made;
  for (const auto& part : folder) {
    made /= part;
    if (std::filesystem::exists(std::filesystem::symlink_status(made, ec))) continue;
#ifdef _WIN32
    std::filesystem::create_directory(made, ec);
#else
    ::mkdir(made.c_str(), 0700);
#endif
  }
  return std::filesystem::is_directory(folder, ec);
}

namespace {

Error LinkOutsideError(const std::string& source, const std::filesystem::path& path,
                       const std::filesystem::path& folder) {
  return Error(kPathFileAccessError, source,
               "Path/File access error: " + PathText(path) + " (a link to a file outside " +
                   PathText(folder) + ")");
}

}  // namespace

void ReplaceFile(const std::filesystem::path& destination, const std::vector<std::uint8_t>& bytes,
                 const std::string& source, const ReplaceOptions& options) {
  if (!options.Within.empty() && LinkLeadsOutside(destination, options.Within))
    throw LinkOutsideError(source, destination, options.Within);
#ifdef _WIN32
  WriteThroughTemporary(destination, bytes, source, nullptr, options.Private);
#else
  struct stat st {};
  // stat follows symbolic links, also the ones under /proc that name a pipe
  // or a terminal (/dev/stdout), which no path leads to.
  if (::stat(destination.c_str(), &st) != 0) {
    if (errno != ENOENT) throw FileSystemError(errno, source, destination);
    // A dangling link: the file it names is created, the link stays.
    WriteThroughTemporary(FollowLinks(destination, source), bytes, source, nullptr,
                          options.Private);
    return;
  }
  if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) {
    WriteDirectly(destination, bytes, source);
    return;
  }
  if (S_ISDIR(st.st_mode)) throw FileSystemError(EISDIR, source, destination);
  if (!S_ISREG(st.st_mode)) throw NotRegularError(source, destination);
  if (st.st_nlink > 1) {
    WriteInPlace(destination, st, bytes, source);
    return;
  }
  // The temporary goes beside the file itself, not beside a link to it.
  std::error_code ec;
  std::filesystem::path target = std::filesystem::canonical(destination, ec);
  if (ec) throw FileSystemError(ec.value(), source, destination);
  WriteThroughTemporary(target, bytes, source, &st, options.Private);
#endif
}

}  // namespace lekhora
