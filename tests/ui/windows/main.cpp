// The windows of the pad together: start-up, typing through real key events,
// the Layout menu, the toolbar's clipboard, the tray shell and the exit.
// The classes run in order on the one set of windows, as one run of the program.

#include <memory>
#include <vector>

#include "tests/support/pad_test_main.h"
#include "tests/ui/windows/fixture.h"

using namespace lekhora;
using namespace lekhora::windows_test;

int main(int argc, char** argv) {
  std::vector<std::unique_ptr<QObject>> tests;
  std::vector<QObject*> order;
  for (auto make : {StartupTests, TypingTests, LayoutMenuTests, ClipboardTests, TrayTests,
                    MissingListTests, ExitTests})
    order.push_back(tests.emplace_back(make()).get());
  return testing::RunPadTests(argc, argv, order);
}
