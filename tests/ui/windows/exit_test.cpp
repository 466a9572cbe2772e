// The tray's Exit unloads every window in its order and ends the run.

#include "tests/ui/windows/fixture.h"

using namespace lekhora;
using namespace lekhora::testing;

namespace lekhora::windows_test {
namespace {
class ExitTest : public QObject {
  Q_OBJECT

 private slots:
  void exitUnloadsEveryWindowInOrder();
};

void ExitTest::exitUnloadsEveryWindowInOrder() {
  QVERIFY(TypeWindowSlot().IsLoaded());
  QStringList order;
  ShowAboutWindow();
  ChromeWindows().UnloadAbout = [&] {
    order << QStringLiteral("about") + (TypeWindowSlot().IsLoaded() ? "+type" : "");
    DefaultChromeWindows().UnloadAbout();
    throw std::runtime_error("a failing step does not stop the others");
  };
  ChromeWindows().UnloadHelpType = [&] {
    order << QStringLiteral("help") + (TrayWindowSlot().IsLoaded() ? "+tray" : "");
  };
  QPointer<QSystemTrayIcon> icon = &TrayWindow().TrayIcon();
  Entry(TrayWindow().MainMenu(), "mnuExit").trigger();
  QTRY_VERIFY(!AnyWindowLoaded());
  QCOMPARE(order, (QStringList{"about", "help+tray"}));
  QVERIFY(LoadedAboutWindow() == nullptr);
  QVERIFY(icon.isNull());
  ChromeWindows() = DefaultChromeWindows();
}

}  // namespace

std::unique_ptr<QObject> ExitTests() {
  return std::make_unique<ExitTest>();
}

}  // namespace lekhora::windows_test

#include "exit_test.moc"
