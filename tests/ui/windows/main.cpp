// The windows of the pad together: start-up, typing through real key events,
// the Layout menu, the toolbar's clipboard, the tray shell and the exit.
// The classes run in order on the one set of windows, as one run of the program.

#include "tests/ui/windows/fixture.h"

using namespace lekhora;
using namespace lekhora::windows_test;

int main(int argc, char** argv) {
  const testing::PrivateUserFolders home;
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  int failures = 0;
  for (auto make : {StartupTests, TypingTests, LayoutMenuTests, ClipboardTests, TrayTests,
                    MissingListTests, ExitTests})
    failures += QTest::qExec(make().get(), argc, argv);
  UnloadAllWindows();
  return failures == 0 ? 0 : 1;
}
