// The program's own start: the typing window comes up before the bundled
// word list is decoded, which follows at once and in any case before the
// first key reaches the typing box.

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "app/frm_splash.h"
#include "tests/support/pad_test_main.h"
#include "tests/support/qt_test_support.h"
#include "tests/support/user_folders.h"
#include "ui/shell/windows.h"
#include "ui/typing/frm_type.h"
#include "ui/typing/frm_words.h"
#include "ui/typing/type_box.h"

using namespace lekhora;
using namespace lekhora::testing;

class PutOffWordListTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { FrmType::PutOffWordList(true); }
  void cleanup() {
    UnloadAllWindows();
    QCoreApplication::processEvents();
    FrmType::PutOffWordList(false);
  }

  void theFirstKeyFindsTheWordListLoaded() {
    FrmSplash& splash = SplashWindow();
    splash.show();
    // Timer2's tick alone, with no turn of the event loop after it.
    QVERIFY(QMetaObject::invokeMethod(&splash.Timer2(), "timeout"));
    FrmType& type = TypeWindow();
    QVERIFY(type.isVisible());
    QVERIFY(WordsWindowSlot().Find() != nullptr && WordsWindowSlot().Find()->isVisible());
    QVERIFY(!type.WordListLoaded());
    QTest::keyClick(&type.txtType(), 'k');
    QVERIFY(type.WordListLoaded());
    QVERIFY(type.Lists().WordCount > 0);
    // The popup shows words that begin with what was typed.
    QVERIFY(!WordsWindowSlot().Find()->lblMain()->text().isEmpty());
  }

  void theWordListFollowsTheWindowUntyped() {
    SplashWindow().show();
    QTRY_VERIFY(TypeWindowSlot().IsLoaded() && TypeWindow().isVisible());
    QTRY_VERIFY(TypeWindow().WordListLoaded());
    QVERIFY(TypeWindow().Lists().WordCount > 0);
  }

  void aWindowMadeElsewhereLoadsItAtOnce() {
    FrmType::PutOffWordList(false);
    QVERIFY(TypeWindow().WordListLoaded());
    QVERIFY(TypeWindow().Lists().WordCount > 0);
  }
};

int main(int argc, char** argv) {
  PutOffWordListTest test;
  return RunPadTests(argc, argv, {&test});
}

#include "startup_test.moc"
