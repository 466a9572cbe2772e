// Key press to committed text through an input method framework (IBus or
// fcitx5), as a Qt text box sees it: sends "k" and then a space with XTest,
// over and over, and times each key from its press to what the box gets for
// it, after a few untimed pairs. The space is timed to the text that ends
// the word with it: an input method that composes "k" commits both at the
// space, one that commits "k" at once only passes the space on; either way
// the box then holds the word and the space. The letter is timed to its
// first effect, a preedit or a commit.
//   ime_qt_latency_client [KEYS [LABEL]] [--wait] [--samples FILE]
// Prints the median and the 99th percentile over KEYS (default 1000) pairs,
// on a line that begins with LABEL when one is given; with --samples it also
// adds each pair's two times (space, then letter, in microseconds) to FILE,
// so that the caller can pool several runs. With --wait it prints
// "ready" once the box has the focus and starts at the first line on its
// standard input, so that the caller can choose the input method for it.

#include <QApplication>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSocketNotifier>
#include <QTimer>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// Counts the input method's events, which a preedit or a commit comes in.
class Box : public QLineEdit {
 public:
  int im_events = 0;

 protected:
  void inputMethodEvent(QInputMethodEvent* event) override {
    ++im_events;
    QLineEdit::inputMethodEvent(event);
  }
};

void Tap(Display* display, KeyCode code) {
  XTestFakeKeyEvent(display, code, True, 0);
  XTestFakeKeyEvent(display, code, False, 0);
  XFlush(display);
}

// Runs the event loop until done(); false after two seconds.
bool WaitFor(const std::function<bool()>& done) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > 2000) return false;
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  }
  return true;
}

void Settle(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 1);
}

struct Figures {
  double median = 0;
  double p99 = 0;
};

Figures Summarize(std::vector<double> micros) {
  std::sort(micros.begin(), micros.end());
  const auto at = [&](double q) {
    return micros[std::min(micros.size() - 1, static_cast<std::size_t>(q * micros.size()))];
  };
  return {at(0.5), at(0.99)};
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int keys = 1000;
  std::string label;
  bool wait = false;
  const char* samples = nullptr;
  int positional = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--wait") == 0) {
      wait = true;
    } else if (std::strcmp(argv[i], "--samples") == 0 && i + 1 < argc) {
      samples = argv[++i];
    } else if (positional++ == 0) {
      keys = std::atoi(argv[i]);
    } else {
      label = argv[i];
    }
  }
  if (keys <= 0) return 2;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 2;
  const KeyCode k = XKeysymToKeycode(display, XK_k);
  const KeyCode space = XKeysymToKeycode(display, XK_space);
  Box edit;
  edit.show();
  edit.activateWindow();
  edit.setFocus();
  int status = 0;
  const auto measure = [&] {
    std::vector<double> spaces;
    std::vector<double> letters;
    // The first pairs load what the input method reads when first used: untimed.
    constexpr int kWarmUp = 20;
    for (int i = -kWarmUp; i < keys; ++i) {
      // A line of a text, not a page: the box lays its whole text out again at
      // each input method event, which on a long line outweighs the input
      // method (a composing one, two events at the space, pays twice).
      if (edit.text().size() > 100) edit.clear();
      const QString before = edit.text();
      const int events = edit.im_events;
      QElapsedTimer letter;
      letter.start();
      Tap(display, k);
      if (!WaitFor([&] { return edit.im_events != events || edit.text() != before; })) {
        std::fprintf(stderr, "nothing came of the letter of key pair %d\n", i);
        status = 1;
        break;
      }
      if (i >= 0) letters.push_back(static_cast<double>(letter.nsecsElapsed()) / 1000.0);
      // Whatever else the letter brings arrives before the space is pressed.
      Settle(3);
      const qsizetype after = edit.text().size();
      QElapsedTimer timer;
      timer.start();
      Tap(display, space);
      if (!WaitFor([&] { return edit.text().size() > after && edit.text().endsWith(' '); })) {
        std::fprintf(stderr, "no commit after key pair %d\n", i);
        status = 1;
        break;
      }
      if (i >= 0) spaces.push_back(static_cast<double>(timer.nsecsElapsed()) / 1000.0);
    }
    // A Latin k left in the box means no input method composed it: the
    // figures would be those of the plain keyboard.
    if (status == 0 && edit.text().contains('k')) {
      std::fprintf(stderr, "the box holds a Latin k: no input method took the keys\n");
      status = 1;
    }
    if (status == 0 && samples != nullptr) {
      std::FILE* file = std::fopen(samples, "a");
      if (file == nullptr) {
        std::fprintf(stderr, "%s cannot be written\n", samples);
        status = 1;
      } else {
        for (std::size_t i = 0; i < spaces.size(); ++i)
          std::fprintf(file, "%.1f %.1f\n", spaces[i], letters[i]);
        if (std::fclose(file) != 0) status = 1;
      }
    }
    if (status == 0 && !spaces.empty()) {
      const Figures s = Summarize(spaces);
      const Figures l = Summarize(letters);
      std::printf(
          "%s%skey press to commit in a Qt text box: %zu keys, median %.0f us, p99 %.0f us"
          " (the letter before it: median %.0f us, p99 %.0f us)\n",
          label.c_str(), label.empty() ? "" : ": ", spaces.size(), s.median, s.p99, l.median,
          l.p99);
    }
    app.exit(status);
  };
  QSocketNotifier go(STDIN_FILENO, QSocketNotifier::Read);
  go.setEnabled(false);
  QObject::connect(&go, &QSocketNotifier::activated, [&] {
    go.setEnabled(false);
    char buffer[64];
    if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0) {
      app.exit(2);
      return;
    }
    // What choosing the input method sends the box lands before the first key.
    QTimer::singleShot(300, measure);
  });
  QTimer::singleShot(800, [&] {
    if (!wait) {
      measure();
      return;
    }
    if (!edit.hasFocus()) {
      std::fprintf(stderr, "the box never got the focus\n");
      app.exit(2);
      return;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    go.setEnabled(true);
  });
  const int rc = app.exec();
  XCloseDisplay(display);
  return rc;
}
