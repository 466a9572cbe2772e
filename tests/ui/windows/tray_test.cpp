// The tray shell: its icon and menu, hiding and showing, the size floor.

#include "tests/ui/windows/fixture.h"

using namespace lekhora;
using namespace lekhora::testing;

namespace lekhora::windows_test {
namespace {
class TrayTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    ResetTyping();
    if (TrayWindow().HideEntry().text() != QStringLiteral("Hide")) TrayWindow().ToggleShowState();
  }
  void trayHoldsTheIconAndThreeEntries();
  void hideAndShowSwitchTheCaption();
  void afterAMinimiseTheEntryShowsInOneStep();
  void closeImagesHideWhatTheySay();
  void aCloseRequestHidesLikeTheCloseImage();
  void theSizeFloorIsTheMinimumSize();
  void withoutATrayTheTitleBandHoldsTheMenu();
  void aboutAndHelpOpenTheChromeWindows();
};

void TrayTest::trayHoldsTheIconAndThreeEntries() {
  FrmTray& tray = TrayWindow();
  // A plain object: nothing of it can ever appear on screen but the icon.
  QVERIFY(!tray.isWidgetType());
  QCOMPARE(tray.TrayIcon().toolTip(), QStringLiteral("Lekhora by Vimra's Dravik"));
  QCOMPARE(tray.TrayIcon().icon().availableSizes().value(0), QSize(32, 32));
  // The menu is opened by the activations alone, so it never opens twice.
  QVERIFY(tray.TrayIcon().contextMenu() == nullptr);
  QCOMPARE(tray.RefreshTimer().interval(), 60000);
  QVERIFY(tray.RefreshTimer().isActive());
  QStringList captions;
  for (QAction* action : tray.MainMenu().actions()) captions << action->text();
  QCOMPARE(captions, (QStringList{"About", "Hide", "Exit"}));
  QCOMPARE(tray.MainMenu().actions()[1]->objectName(), QStringLiteral("mnuHide"));
}

void TrayTest::hideAndShowSwitchTheCaption() {
  if (FrmTray::HasSystemTray()) QSKIP("this desktop has a tray; the end-to-end tests cover it");
  QAction& hide = TrayWindow().HideEntry();
  FrmWords& words = *WordsWindowSlot().Find();
  hide.trigger();
  QCOMPARE(hide.text(), QStringLiteral("Show"));
  // Without a tray the window is minimised rather than lost.
  QVERIFY(Type().isMinimized());
  QVERIFY(!words.isVisible());
  hide.trigger();
  QCOMPARE(hide.text(), QStringLiteral("Hide"));
  QVERIFY(Type().isVisible());
  QVERIFY(!Type().isMinimized());
  QVERIFY(words.isVisible());
}

void TrayTest::afterAMinimiseTheEntryShowsInOneStep() {
  FrmWords& words = *WordsWindowSlot().Find();
  QAction& hide = TrayWindow().HideEntry();
  QTest::mouseClick(&Child<QLabel>(Type(), "imgMin"), Qt::LeftButton);
  QTRY_VERIFY(Type().isMinimized());
  // A window manager that minimises a window's family may have minimised
  // the popup too before it was hidden. Shown so, it would take its owner
  // down with it again.
  words.setWindowState(words.windowState() | Qt::WindowMinimized);
  // Opening the menu reads the window's state.
  emit TrayWindow().MainMenu().aboutToShow();
  QCOMPARE(hide.text(), QStringLiteral("Show"));
  hide.trigger();
  QTRY_VERIFY(!Type().isMinimized());
  QVERIFY(Type().isVisible());
  QVERIFY(words.isVisible() && !words.isMinimized());
  emit TrayWindow().MainMenu().aboutToShow();
  QCOMPARE(hide.text(), QStringLiteral("Hide"));
}

// The pad hidden as the close image hides it, then shown again from the tray.
void ExpectHiddenToTrayAndShownAgain(FrmWords& words, QAction& hide) {
  QCOMPARE(hide.text(), QStringLiteral("Show"));
  QVERIFY(!words.isVisible());
  QVERIFY(FrmTray::HasSystemTray() ? !Type().isVisible() : Type().isMinimized());
  hide.trigger();
  QVERIFY(Type().isVisible() && !Type().isMinimized());
  QVERIFY(words.isVisible());
}

void TrayTest::closeImagesHideWhatTheySay() {
  FrmWords& words = *WordsWindowSlot().Find();
  QAction& hide = TrayWindow().HideEntry();
  // The popup's own close image hides only the popup.
  QTest::mouseClick(&Child<QLabel>(words, "imgClose"), Qt::LeftButton);
  QVERIFY(!words.isVisible());
  QVERIFY(Type().isVisible());
  QCOMPARE(hide.text(), QStringLiteral("Hide"));
  // Typing does not bring it back; showing from the tray does.
  QTest::keyClick(&Box(), Qt::Key_K);
  QVERIFY(!words.isVisible());

  auto& close = Child<QLabel>(Type(), "imgClose");
  QCOMPARE(close.toolTip(), QStringLiteral("Close Lekhora"));
  QTest::mouseClick(&close, Qt::LeftButton);
  ExpectHiddenToTrayAndShownAgain(words, hide);

  // Minimising keeps the caption.
  QTest::mouseClick(&Child<QLabel>(Type(), "imgMin"), Qt::LeftButton);
  QVERIFY(Type().isMinimized());
  QVERIFY(!words.isVisible());
  QCOMPARE(hide.text(), QStringLiteral("Hide"));
  Type().showNormal();
  words.show();
}

void TrayTest::aCloseRequestHidesLikeTheCloseImage() {
  FrmWords& words = *WordsWindowSlot().Find();
  QAction& hide = TrayWindow().HideEntry();
  QVERIFY(Type().isVisible());
  // What Alt+F4 or a task bar's close asks for.
  QVERIFY(!Type().close());
  QVERIFY(TypeWindowSlot().IsLoaded());
  ExpectHiddenToTrayAndShownAgain(words, hide);
}

void TrayTest::theSizeFloorIsTheMinimumSize() {
  // 8055 x 3300 twips with the keyboard, 8055 x 1200 without it.
  QCOMPARE(Type().minimumSize(), QSize(537, 220));
  auto& showKeyboard = Child<QCheckBox>(Type(), "chShowKB");
  showKeyboard.setChecked(false);
  QTRY_COMPARE(Type().minimumSize(), QSize(537, 80));
  showKeyboard.setChecked(true);
  QTRY_COMPARE(Type().minimumSize(), QSize(537, 220));
  QCOMPARE(WordsWindowSlot().Find()->minimumSize(), QSize(167, 53));  // 2500 x 800 twips
}

void TrayTest::withoutATrayTheTitleBandHoldsTheMenu() {
  if (FrmTray::HasSystemTray()) QSKIP("this desktop has a tray");
  auto& title = Child<QLabel>(Type(), "lblTitle");
  CloseNextPopup();
  emit title.customContextMenuRequested(QPoint(5, 5));
  QCOMPARE(ClosedPopup(), QStringLiteral("mnuMain"));
}

void TrayTest::aboutAndHelpOpenTheChromeWindows() {
  Entry(TrayWindow().MainMenu(), "mnuAbout").trigger();
  QVERIFY(LoadedAboutWindow() != nullptr);
  QVERIFY(LoadedAboutWindow()->isVisible());
  QVERIFY(LoadedAboutWindow()->parentWidget() == nullptr);
  QTest::mouseClick(&Child<QLabel>(Type(), "imgHelp"), Qt::LeftButton);
  QVERIFY(LoadedHelpWindow() != nullptr);
  QVERIFY(LoadedHelpWindow()->isVisible());
  QCOMPARE(LoadedHelpWindow()->parentWidget(), &Type());
}

}  // namespace

std::unique_ptr<QObject> TrayTests() {
  return std::make_unique<TrayTest>();
}

}  // namespace lekhora::windows_test

#include "tray_test.moc"
