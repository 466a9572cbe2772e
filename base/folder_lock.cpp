#include "base/folder_lock.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace lekhora {

#ifdef _WIN32

// One pad per session is kept by the session-wide guard there.
FolderLock::FolderLock(const std::filesystem::path&) : state_(FolderLockState::Held) {}
FolderLock::~FolderLock() = default;

#else

FolderLock::FolderLock(const std::filesystem::path& folder) {
  const std::filesystem::path file = folder / kFolderLockFile;
  // Opened for writing, as locks over NFS need; never followed through a link.
  fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600);
  if (fd_ < 0) return;
  int result;
  do {
    result = ::flock(fd_, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result == 0) {
    state_ = FolderLockState::Held;
    return;
  }
  if (errno == EWOULDBLOCK) state_ = FolderLockState::HeldElsewhere;
  ::close(fd_);
  fd_ = -1;
}

FolderLock::~FolderLock() {
  // Closing lets go of the lock; the file stays for the next start, as
  // removing it could part two processes that each hold a lock on a file.
  if (fd_ >= 0) ::close(fd_);
}

#endif

}  // namespace lekhora
