#pragma once
// The main of a test program that runs the pad's windows: private user
// folders, an application that outlives its last window, the test objects
// in order on one set of windows, and every window unloaded at the end.

#include <QApplication>
#include <QTest>
#include <functional>
#include <vector>

#include "tests/support/user_folders.h"
#include "ui/kit/window_slot.h"

namespace lekhora::testing {

/// Returns main's exit code; folders, when given, sees the folders first.
inline int RunPadTests(int argc, char** argv, const std::vector<QObject*>& tests,
                       const std::function<void(const PrivateUserFolders&)>& folders = {}) {
  const PrivateUserFolders home;
  if (folders) folders(home);
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  int failures = 0;
  for (QObject* test : tests) failures += QTest::qExec(test, argc, argv);
  UnloadAllWindows();
  return failures == 0 ? 0 : 1;
}

}  // namespace lekhora::testing
