#pragma once
// A lock beside the files it protects: one process at a time writes the
// user's files in a folder. The operating system lets go of it when the
// process ends in any way, so a crash leaves no stale lock.

#include <filesystem>

namespace lekhora {

enum class FolderLockState {
  /// This process holds the lock.
  Held,
  /// Another process holds it.
  HeldElsewhere,
  /// The lock could not be taken (a read-only folder, a file system without
  /// locks): whether another process writes here cannot be told.
  Unsure,
};

class FolderLock {
 public:
  /// Tries once, without waiting, to lock folder (which must exist) through a
  /// hidden file in it.
  explicit FolderLock(const std::filesystem::path& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  FolderLockState State() const { return state_; }

 private:
  int fd_ = -1;
  FolderLockState state_ = FolderLockState::Unsure;
};

/// The name of the file that holds the lock, in the locked folder.
inline constexpr const char* kFolderLockFile = ".lekhora.lock";

}  // namespace lekhora
