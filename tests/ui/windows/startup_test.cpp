// Start-up: the splash brings up the pad, in its load order, and goes.

#include "tests/ui/windows/fixture.h"

using namespace lekhora;
using namespace lekhora::testing;

namespace lekhora::windows_test {
namespace {
class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void splashBringsUpThePadAndCloses4SecondsLater();
};

void StartupTest::splashBringsUpThePadAndCloses4SecondsLater() {
  QElapsedTimer clock;
  clock.start();
  FrmSplash& splash = SplashWindow();
  splash.show();
  QVERIFY(splash.windowFlags() & Qt::WindowStaysOnTopHint);
  QCOMPARE(FrmSplash::DrawSplashPicture().size(), QSize(212, 111));
  QCOMPARE(splash.Timer2().interval(), 40);
  QCOMPARE(splash.Timer1().interval(), 4000);
  QVERIFY(!TypeWindowSlot().IsLoaded());

  QTRY_VERIFY_WITH_TIMEOUT(TypeWindowSlot().IsLoaded() && Type().isVisible(), 3000);
  QVERIFY(!splash.Timer2().isActive());
  QVERIFY(TrayWindowSlot().IsLoaded());
  // The load ran in its order: layout, lists, then the popup owned by the window.
  QVERIFY(Type().CurrentLayout().Name() == kPhoneticVimraLayout);
  QVERIFY(Type().KeyCaption('k') == u"\u0915");
  QCOMPARE(Child<QLabel>(Type(), "lblLayout").text(), QStringLiteral("Phonetic(Vimra)"));
  QVERIFY2(Type().Lists().WordCount > 0, "the bundled word list was not loaded");
  QVERIFY(Child<QListWidget>(Type(), "lstCustomWords").count() > 0);
  FrmWords* words = WordsWindowSlot().Find();
  QVERIFY(words != nullptr);
  QVERIFY(words->isVisible());
  QCOMPARE(words->parentWidget(), &Type());
  QVERIFY(words->lblMain()->text().isEmpty());
  QVERIFY(Child<QCheckBox>(Type(), "chKB").isChecked());
  QVERIFY(Child<QCheckBox>(Type(), "chShowKB").isChecked());
  QVERIFY(!Child<QPushButton>(Type(), "Command1").isVisible());

  // Keys that reach the splash, over the typing window for seconds, go on to
  // the typing box, which keeps the keyboard focus.
  QVERIFY(splash.windowFlags() & Qt::WindowDoesNotAcceptFocus);
  QTest::mouseClick(&splash, Qt::LeftButton);
  QTest::keyClicks(&splash, QStringLiteral("kml"));
  COMPARE_TEXT(Box().toPlainText(), Q(u"\u0915\u092E\u0932"));
  QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&Box()));
  Box().clear();
  State() = TypingState{};

  // The splash stays for its 4 seconds, then goes without ending the program.
  QVERIFY(SplashLoaded());
  QTRY_VERIFY_WITH_TIMEOUT(!SplashLoaded(), 6000);
  QVERIFY(clock.elapsed() >= 3900);
  QVERIFY(TypeWindowSlot().IsLoaded());
}

}  // namespace

std::unique_ptr<QObject> StartupTests() {
  return std::make_unique<StartupTest>();
}

}  // namespace lekhora::windows_test

#include "startup_test.moc"
