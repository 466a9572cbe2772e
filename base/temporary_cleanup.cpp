#include "base/temporary_cleanup.h"

#include <cstring>

#ifndef _WIN32
#include <signal.h>
#include <unistd.h>
#endif

namespace lekhora {

#ifdef _WIN32

TemporaryCleanup::TemporaryCleanup(const std::filesystem::path&) {}
TemporaryCleanup::~TemporaryCleanup() = default;
void TemporaryCleanup::Release() {}
HoldStopSignals::HoldStopSignals() {}
HoldStopSignals::~HoldStopSignals() = default;

#else

namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kSignalCount = sizeof kStopSignals / sizeof kStopSignals[0];

// What the handler reads: a fixed buffer and a flag, nothing that allocates.
char g_path[4096];
volatile sig_atomic_t g_armed = 0;
struct sigaction g_previous[kSignalCount];
bool g_installed[kSignalCount];

void OnStopSignal(int signal) {
  // unlink, sigaction and raise are async-signal-safe.
  if (g_armed) ::unlink(g_path);
  g_armed = 0;
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  sigemptyset(&byDefault.sa_mask);
  ::sigaction(signal, &byDefault, nullptr);
  // Delivered with its default action once this handler returns.
  ::raise(signal);
}

sigset_t StopSignalSet() {
  sigset_t set;
  sigemptyset(&set);
  for (int s : kStopSignals) sigaddset(&set, s);
  return set;
}

}  // namespace

TemporaryCleanup::TemporaryCleanup(const std::filesystem::path& path) {
  const std::string& text = path.native();
  // A path too long for the buffer is left to chance rather than cut short
  // into another file's name.
  if (text.size() >= sizeof g_path) return;
  HoldStopSignals hold;
  std::memcpy(g_path, text.c_str(), text.size() + 1);
  for (int i = 0; i < kSignalCount; ++i) {
    g_installed[i] = false;
    if (::sigaction(kStopSignals[i], nullptr, &g_previous[i]) != 0) continue;
    if ((g_previous[i].sa_flags & SA_SIGINFO) != 0 || g_previous[i].sa_handler != SIG_DFL) continue;
    struct sigaction mine {};
    mine.sa_handler = OnStopSignal;
    mine.sa_mask = StopSignalSet();
    g_installed[i] = ::sigaction(kStopSignals[i], &mine, nullptr) == 0;
  }
  g_armed = 1;
  armed_ = true;
}

void TemporaryCleanup::Release() {
  if (!armed_) return;
  HoldStopSignals hold;
  g_armed = 0;
  for (int i = 0; i < kSignalCount; ++i)
    if (g_installed[i]) ::sigaction(kStopSignals[i], &g_previous[i], nullptr);
  armed_ = false;
}

TemporaryCleanup::~TemporaryCleanup() {
  Release();
}

HoldStopSignals::HoldStopSignals() {
  const sigset_t set = StopSignalSet();
  ::sigprocmask(SIG_BLOCK, &set, &saved_);
}

HoldStopSignals::~HoldStopSignals() {
  ::sigprocmask(SIG_SETMASK, &saved_, nullptr);
}

#endif

}  // namespace lekhora
