// Key press to committed text through the IBus daemon, as a Qt text box sees
// it: sends "k" and then a space with XTest, and times the space from its
// press to the text change that the commit of the word brings. Prints the
// median and the 99th percentile over the keys (argument, default 1000).

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void Tap(Display* display, KeyCode code) {
  XTestFakeKeyEvent(display, code, True, 0);
  XTestFakeKeyEvent(display, code, False, 0);
  XFlush(display);
}

// Runs the event loop until the text is longer than length; false after two seconds.
bool WaitForLonger(QLineEdit& edit, qsizetype length) {
  QElapsedTimer timer;
  timer.start();
  while (edit.text().size() <= length) {
    if (timer.elapsed() > 2000) return false;
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int keys = argc > 1 ? std::atoi(argv[1]) : 1000;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 2;
  const KeyCode k = XKeysymToKeycode(display, XK_k);
  const KeyCode space = XKeysymToKeycode(display, XK_space);
  QLineEdit edit;
  edit.show();
  edit.activateWindow();
  edit.setFocus();
  int status = 0;
  QTimer::singleShot(800, [&] {
    std::vector<double> micros;
    for (int i = 0; i < keys; ++i) {
      if (edit.text().size() > 2000) edit.clear();
      const qsizetype before = edit.text().size();
      Tap(display, k);
      // The letter only updates the preedit; let it arrive first.
      QElapsedTimer settle;
      settle.start();
      while (settle.elapsed() < 3) QApplication::processEvents(QEventLoop::AllEvents, 1);
      QElapsedTimer timer;
      timer.start();
      Tap(display, space);
      if (!WaitForLonger(edit, before)) {
        std::fprintf(stderr, "no commit after key %d\n", i);
        status = 1;
        break;
      }
      micros.push_back(static_cast<double>(timer.nsecsElapsed()) / 1000.0);
    }
    if (!micros.empty()) {
      std::sort(micros.begin(), micros.end());
      const auto at = [&](double q) {
        return micros[std::min(micros.size() - 1, static_cast<std::size_t>(q * micros.size()))];
      };
      std::printf("key press to commit in a Qt text box: %zu keys, median %.0f us, p99 %.0f us\n",
                  micros.size(), at(0.5), at(0.99));
    }
    app.exit(status);
  });
  const int rc = app.exec();
  XCloseDisplay(display);
  return rc;
}
