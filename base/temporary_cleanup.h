#pragma once
// Removal of a half-written temporary file when the process is stopped by a
// signal, so that an interrupted replace leaves no stray file behind.

#include <filesystem>

#ifndef _WIN32
#include <signal.h>
#endif

namespace lekhora {

/// While alive, SIGINT, SIGTERM and SIGHUP first remove path and then stop the
/// process as they would have (the signal is raised again with its default
/// action). Signals the program ignores or handles itself are left alone.
/// One temporary at a time: the program writes one file at a time.
class TemporaryCleanup {
 public:
  explicit TemporaryCleanup(const std::filesystem::path& path);
  ~TemporaryCleanup();
  TemporaryCleanup(const TemporaryCleanup&) = delete;
  TemporaryCleanup& operator=(const TemporaryCleanup&) = delete;

  /// The file is no longer the temporary (it was renamed or removed).
  void Release();

 private:
  bool armed_ = false;
};

/// Runs with SIGINT, SIGTERM and SIGHUP held back, so that creating or
/// renaming a temporary and telling TemporaryCleanup about it happen as one.
class HoldStopSignals {
 public:
  HoldStopSignals();
  ~HoldStopSignals();
  HoldStopSignals(const HoldStopSignals&) = delete;
  HoldStopSignals& operator=(const HoldStopSignals&) = delete;

 private:
#ifndef _WIN32
  sigset_t saved_;
#endif
};

}  // namespace lekhora
