// Start-up of the real pad against the smallest Qt Widgets program, measured
// from outside in the same run on one private Xvfb display: from starting the
// process to its windows mapped, and the resident memory once it is ready and
// idle. There are two yardsticks: the empty window, and the same window showing
// one line of text, which pays for the fonts, fontconfig and the shaper as
// every program that shows a word does (about 4 MiB). The programs take turns,
// so whatever else the machine does falls on all alike.
//
// Environment: LEKHORA_STARTUP_RUNS (starts of each program, default 15),
// LEKHORA_STARTUP_WM=openbox (run both under openbox instead of no window
// manager), LEKHORA_STARTUP_PAD (another build of the pad to measure).

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr auto kReadyTimeout = std::chrono::seconds(20);
// Memory is read once the program has used no processor time for this long,
// and never sooner than kSettleAfterReady after its windows were mapped: work
// a program puts off until after its window shows counts as its own.
constexpr auto kIdleQuiet = std::chrono::milliseconds(500);
constexpr auto kSettleAfterReady = std::chrono::milliseconds(1000);
constexpr auto kIdleTimeout = std::chrono::seconds(15);

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "bench_ui_startup: %s\n", what.c_str());
  std::exit(1);
}

// A window that counts as the program's ready window: its title, and the
// least width that tells it from a smaller window of the same title.
struct Target {
  std::string Title;
  int MinWidth = 0;
};

struct Program {
  std::string Label;
  fs::path Path;
  std::vector<Target> Ready;
  std::vector<std::string> Arguments = {};
};

struct Sample {
  double ReadyMs = 0;
  long RssKiB = 0;
  long PssKiB = 0;
};

// In a child: a session of its own, with no terminal to read or write.
void Detach() {
  setsid();
  const int null = open("/dev/null", O_RDWR);
  dup2(null, 0);
  dup2(null, 1);
  dup2(null, 2);
}

pid_t Spawn(const std::vector<std::string>& argv, const fs::path& folder) {
  const pid_t pid = fork();
  if (pid < 0) Fail("fork failed");
  if (pid == 0) {
    Detach();
    for (int fd = 3; fd < 256; ++fd) close(fd);
    if (!folder.empty() && chdir(folder.c_str()) != 0) _exit(127);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  return pid;
}

void Stop(pid_t pid) {
  kill(pid, SIGTERM);
  for (int i = 0; i < 200; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

std::string StartXvfb(pid_t& xvfb) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) Fail("pipe failed");
  xvfb = fork();
  if (xvfb == 0) {
    Detach();
    close(pipeFds[0]);
    const std::string fd = std::to_string(pipeFds[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten",
           "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeFds[1]);
  std::string number;
  char c = 0;
  while (read(pipeFds[0], &c, 1) == 1 && c != '\n') number += c;
  close(pipeFds[0]);
  if (number.empty()) Fail("Xvfb did not start (is it installed?)");
  return ":" + number;
}

// Processor time (user and system, in clock ticks) a process has used.
std::optional<long long> CpuTicks(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(in, line)) return std::nullopt;
  const auto close = line.rfind(')');
  if (close == std::string::npos) return std::nullopt;
  std::istringstream fields(line.substr(close + 2));
  std::string field;
  long long utime = 0, stime = 0;
  for (int index = 3; fields >> field; ++index) {
    if (index == 14) utime = std::stoll(field);
    if (index == 15) {
      stime = std::stoll(field);
      break;
    }
  }
  return utime + stime;
}

long KiBField(const fs::path& file, const std::string& name) {
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(name + ":", 0) == 0) return std::stol(line.substr(name.size() + 1));
  }
  return 0;
}

class Display {
 public:
  explicit Display(const std::string& name) {
    connection_ = xcb_connect(name.c_str(), nullptr);
    if (xcb_connection_has_error(connection_) != 0) Fail("cannot connect to " + name);
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    pidAtom_ = Atom("_NET_WM_PID");
    nameAtom_ = Atom("_NET_WM_NAME");
    xcb_flush(connection_);
  }
  ~Display() { xcb_disconnect(connection_); }
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;

  bool HasWindowManager() {
    const xcb_atom_t check = Atom("_NET_SUPPORTING_WM_CHECK");
    auto* reply = xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, root_, check, XCB_ATOM_WINDOW, 0, 1),
        nullptr);
    const bool found = reply != nullptr && xcb_get_property_value_length(reply) > 0;
    std::free(reply);
    return found;
  }

  // Starts the program and waits until every window of targets is mapped;
  // the time from the start, or nothing when it did not come up.
  std::optional<double> StartAndWait(const Program& program, pid_t& pid) {
    windows_.clear();
    Drain();
    const Clock::time_point start = Clock::now();
    std::vector<std::string> argv{program.Path.string()};
    argv.insert(argv.end(), program.Arguments.begin(), program.Arguments.end());
    pid = Spawn(argv, program.Path.parent_path());
    const int fd = xcb_get_file_descriptor(connection_);
    while (Clock::now() - start < kReadyTimeout) {
      while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        Handle(event);
        std::free(event);
      }
      if (Ready(program.Ready, pid)) return Milliseconds(Clock::now() - start);
      if (waitpid(pid, nullptr, WNOHANG) == pid) return std::nullopt;
      pollfd wait{fd, POLLIN, 0};
      poll(&wait, 1, 20);
    }
    return std::nullopt;
  }

 private:
  struct Seen {
    bool Mapped = false;
    int Width = 0;
    std::string Title;
    pid_t Owner = 0;
  };

  xcb_atom_t Atom(const char* name) {
    auto* reply = xcb_intern_atom_reply(
        connection_,
        xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
  }

  void Drain() {
    xcb_flush(connection_);
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) std::free(event);
  }

  std::string Property(xcb_window_t window, xcb_atom_t atom) {
    auto* reply = xcb_get_property_reply(
        connection_,
        xcb_get_property(connection_, 0, window, atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr);
    std::string value;
    if (reply != nullptr)
      value.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                   static_cast<std::size_t>(xcb_get_property_value_length(reply)));
    std::free(reply);
    return value;
  }

  void Describe(xcb_window_t window, Seen& seen) {
    seen.Title = Property(window, nameAtom_);
    if (seen.Title.empty()) seen.Title = Property(window, XCB_ATOM_WM_NAME);
    const std::string owner = Property(window, pidAtom_);
    if (owner.size() == 4) {
      std::uint32_t value = 0;
      std::memcpy(&value, owner.data(), 4);
      seen.Owner = static_cast<pid_t>(value);
    }
    auto* geometry =
        xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr);
    if (geometry != nullptr) seen.Width = geometry->width;
    std::free(geometry);
  }

  void Handle(xcb_generic_event_t* event) {
    switch (event->response_type & 0x7f) {
      case XCB_CREATE_NOTIFY: {
        auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
        if (created->parent != root_) return;
        // Under a window manager the window is taken into a frame; its own
        // map then reaches only those who listen to the window itself.
        const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, created->window, XCB_CW_EVENT_MASK, &mask);
        Seen& seen = windows_[created->window];
        seen.Width = created->width;
        auto* attributes = xcb_get_window_attributes_reply(
            connection_, xcb_get_window_attributes(connection_, created->window), nullptr);
        if (attributes != nullptr && attributes->map_state == XCB_MAP_STATE_VIEWABLE) {
          seen.Mapped = true;
          Describe(created->window, seen);
        }
        std::free(attributes);
        break;
      }
      case XCB_MAP_NOTIFY: {
        auto* mapped = reinterpret_cast<xcb_map_notify_event_t*>(event);
        Seen& seen = windows_[mapped->window];
        seen.Mapped = true;
        Describe(mapped->window, seen);
        break;
      }
      case XCB_UNMAP_NOTIFY: {
        auto* unmapped = reinterpret_cast<xcb_unmap_notify_event_t*>(event);
        windows_[unmapped->window].Mapped = false;
        break;
      }
      case XCB_CONFIGURE_NOTIFY: {
        auto* configured = reinterpret_cast<xcb_configure_notify_event_t*>(event);
        auto found = windows_.find(configured->window);
        if (found != windows_.end()) found->second.Width = configured->width;
        break;
      }
      default:
        break;
    }
  }

  // Every target window of this process mapped.
  bool Ready(const std::vector<Target>& targets, pid_t pid) const {
    return std::all_of(targets.begin(), targets.end(), [&](const Target& target) {
      return std::any_of(windows_.begin(), windows_.end(), [&](const auto& entry) {
        const Seen& seen = entry.second;
        return seen.Mapped && seen.Owner == pid && seen.Title == target.Title &&
               seen.Width >= target.MinWidth;
      });
    });
  }

  xcb_connection_t* connection_ = nullptr;
  xcb_window_t root_ = 0;
  xcb_atom_t pidAtom_ = XCB_ATOM_NONE;
  xcb_atom_t nameAtom_ = XCB_ATOM_NONE;
  std::map<xcb_window_t, Seen> windows_;
};

// Waits until the process is idle, then reads its memory.
void ReadMemory(pid_t pid, Sample& sample) {
  const Clock::time_point ready = Clock::now();
  std::optional<long long> last = CpuTicks(pid);
  Clock::time_point quietSince = ready;
  while (Clock::now() - ready < kIdleTimeout) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const std::optional<long long> now = CpuTicks(pid);
    if (!now) return;
    if (now != last) {
      last = now;
      quietSince = Clock::now();
    }
    if (Clock::now() - quietSince >= kIdleQuiet && Clock::now() - ready >= kSettleAfterReady) break;
  }
  const fs::path proc = "/proc/" + std::to_string(pid);
  sample.RssKiB = KiBField(proc / "status", "VmRSS");
  sample.PssKiB = KiBField(proc / "smaps_rollup", "Pss");
}

template <class Get>
double Median(const std::vector<Sample>& samples, Get get) {
  std::vector<double> values;
  for (const Sample& s : samples) values.push_back(get(s));
  std::sort(values.begin(), values.end());
  if (values.empty()) return 0;
  const std::size_t mid = values.size() / 2;
  return values.size() % 2 == 1 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

template <class Get>
double Least(const std::vector<Sample>& samples, Get get) {
  double least = samples.empty() ? 0 : get(samples.front());
  for (const Sample& s : samples) least = std::min(least, get(s));
  return least;
}

void PrintLine(const Program& program, const std::vector<Sample>& samples) {
  std::printf(
      "%-20s ready: median %7.1f ms (min %6.1f) | VmRSS: median %6.1f MiB | PSS: median %6.1f MiB  "
      "(%zu runs)\n",
      program.Label.c_str(), Median(samples, [](const Sample& s) { return s.ReadyMs; }),
      Least(samples, [](const Sample& s) { return s.ReadyMs; }),
      Median(samples, [](const Sample& s) { return s.RssKiB / 1024.0; }),
      Median(samples, [](const Sample& s) { return s.PssKiB / 1024.0; }), samples.size());
}

}  // namespace

int main() {
  const char* runsText = std::getenv("LEKHORA_STARTUP_RUNS");
  const int runs = runsText != nullptr ? std::max(1, std::atoi(runsText)) : 15;
  const char* wmText = std::getenv("LEKHORA_STARTUP_WM");
  const std::string wm = wmText != nullptr ? wmText : "";

  const fs::path bin = fs::canonical("/proc/self/exe").parent_path();
  const Program smallest{
      "smallest Qt window", bin / "startup_smallest_qt_window", {{"Smallest Qt window", 0}}};
  const Program smallestText{"smallest text window",
                             bin / "startup_smallest_qt_window",
                             {{"Smallest Qt text window", 0}},
                             {"--text"}};
  // The pad is ready when its typing window (the wide window named Lekhora,
  // not the splash) and its suggestion popup are mapped.
  const char* padText = std::getenv("LEKHORA_STARTUP_PAD");
  const Program pad{"Lekhora pad",
                    padText != nullptr ? fs::path(padText) : bin / "lekhora",
                    {{"Lekhora", 400}, {"Suggestions", 0}}};
  for (const Program* p : {&smallest, &pad})
    if (!fs::exists(p->Path)) Fail(p->Path.string() + " is missing");

  // Both programs keep their files in a home of the benchmark's own.
  char homeTemplate[] = "/tmp/lekhora-startup.XXXXXX";
  if (mkdtemp(homeTemplate) == nullptr) Fail("no temporary folder");
  const fs::path home = homeTemplate;
  fs::create_directories(home / "runtime");
  fs::permissions(home / "runtime", fs::perms::owner_all);
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
  setenv("XDG_DATA_HOME", (home / ".local/share").c_str(), 1);
  setenv("XDG_CACHE_HOME", (home / ".cache").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (home / "runtime").c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  unsetenv("WAYLAND_DISPLAY");
  unsetenv("SESSION_MANAGER");

  pid_t xvfb = 0;
  const std::string displayName = StartXvfb(xvfb);
  setenv("DISPLAY", displayName.c_str(), 1);
  pid_t windowManager = 0;
  {
    Display display(displayName);
    if (wm == "openbox") {
      windowManager = Spawn({"openbox"}, home);
      for (int i = 0; i < 100 && !display.HasWindowManager(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      if (!display.HasWindowManager()) Fail("openbox did not come up");
    }

    std::map<const Program*, std::vector<Sample>> samples;
    int failed = 0;
    // One start of each first, uncounted: the files are in the page cache and
    // the pad's own files made, as on any start after the first.
    for (int run = -1; run < runs; ++run) {
      for (const Program* program : {&smallest, &smallestText, &pad}) {
        pid_t pid = 0;
        const std::optional<double> ready = display.StartAndWait(*program, pid);
        Sample sample;
        if (ready) {
          sample.ReadyMs = *ready;
          ReadMemory(pid, sample);
        }
        Stop(pid);
        if (!ready) {
          ++failed;
          std::fprintf(stderr, "bench_ui_startup: %s did not come up\n", program->Label.c_str());
          continue;
        }
        if (run >= 0) samples[program].push_back(sample);
      }
    }
    std::printf("Start-up in the same run, %s, private Xvfb %s:\n",
                wm.empty() ? "no window manager" : wm.c_str(), displayName.c_str());
    PrintLine(smallest, samples[&smallest]);
    PrintLine(smallestText, samples[&smallestText]);
    PrintLine(pad, samples[&pad]);
    const auto ready = [](const Sample& s) { return s.ReadyMs; };
    const auto rss = [](const Sample& s) { return static_cast<double>(s.RssKiB); };
    const auto pss = [](const Sample& s) { return static_cast<double>(s.PssKiB); };
    for (const Program* yardstick : {&smallest, &smallestText}) {
      const double smallRss = Median(samples[yardstick], rss);
      const double smallPss = Median(samples[yardstick], pss);
      std::printf("pad - %s: %+.1f ms ready; VmRSS ratio %.3f; PSS ratio %.3f\n",
                  yardstick->Label.c_str(),
                  Median(samples[&pad], ready) - Median(samples[yardstick], ready),
                  smallRss > 0 ? Median(samples[&pad], rss) / smallRss : 0.0,
                  smallPss > 0 ? Median(samples[&pad], pss) / smallPss : 0.0);
    }
    if (failed > 0) std::printf("(%d starts that did not come up are left out)\n", failed);
  }
  if (windowManager != 0) Stop(windowManager);
  Stop(xvfb);
  std::error_code ignored;
  fs::remove_all(home, ignored);
  return 0;
}
