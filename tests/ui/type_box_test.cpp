// The typing box's event order and the text box model over a real text edit.

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTest>
#include <string>
#include <vector>

#include "ui/kit/qt_text_box.h"
#include "ui/typing/key_sink.h"
#include "ui/typing/type_box.h"

using namespace lekhora;

namespace {

// Records every key; consumes what it is told to.
class RecordingSink final : public KeySink {
 public:
  std::vector<std::string> calls;
  int swallowDown = -1;   // virtual key code whose press is consumed
  int swallowPress = -1;  // character whose press is consumed

  bool Key(const KeyEvent& e) override {
    if (e.release) {
      calls.push_back("up " + std::to_string(e.key) + "/" + std::to_string(e.modifiers));
      return false;
    }
    calls.push_back("down " + std::to_string(e.key) + " " + std::to_string(e.character) + "/" +
                    std::to_string(e.modifiers));
    return e.key == swallowDown || e.character == swallowPress;
  }
  void MouseUp() override { calls.push_back("mouse up"); }
};

QString FromU16(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

class TypeBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    box_ = std::make_unique<TypeBox>();
    sink_ = RecordingSink();
    box_->SetKeySink(&sink_);
    box_->show();
  }
  void cleanup() { box_.reset(); }

  void eachKeyGoesDownThenUp();
  void consumedKeyDownStopsTheBox();
  void consumedCharacterTypesNothing();
  void aKeyWithoutAVirtualCodeStillReachesTheSink();
  void autoRepeatRepeatsDownButNotUp();
  void ctrlLetterArrivesAsControlCharacter();
  void mouseReleaseReportsMouseUp();
  void inputMethodsAreOff();

  void textBoxCountsCodeUnitsNotClusters();
  void textBoxRefusesNegativesAndClampsAtTheEnd();
  void textBoxLinesAreNewlines();

  void longRunWithoutSpacesWrapsAnywhere();
  void keyInALongParagraphStaysQuick();

 private:
  std::unique_ptr<TypeBox> box_;
  RecordingSink sink_;
};

void TypeBoxTest::eachKeyGoesDownThenUp() {
  QTest::keyClick(box_.get(), Qt::Key_K);
  QTest::keyClick(box_.get(), Qt::Key_Space, Qt::ShiftModifier);
  // Shift goes down and up around the space, as it does on a keyboard.
  const std::vector<std::string> expected{"down 75 107/0", "up 75/0", "down 16 0/1",
                                          "down 32 32/1",  "up 32/1", "up 16/0"};
  QCOMPARE(sink_.calls, expected);
  // Keys the sink lets through are the text edit's own.
  QCOMPARE(box_->toPlainText(), QStringLiteral("k "));
}

void TypeBoxTest::consumedKeyDownStopsTheBox() {
  sink_.swallowDown = 40;
  box_->setPlainText(QStringLiteral("ab\ncd"));
  QTextCursor cursor = box_->textCursor();
  cursor.setPosition(1);
  box_->setTextCursor(cursor);
  QTest::keyClick(box_.get(), Qt::Key_Down, Qt::ShiftModifier);
  // No caret move, no selection; the key still comes up.
  QCOMPARE(box_->textCursor().position(), 1);
  QVERIFY(!box_->textCursor().hasSelection());
  const std::vector<std::string> expected{"down 16 0/1", "down 40 0/1", "up 40/1", "up 16/0"};
  QCOMPARE(sink_.calls, expected);
}

void TypeBoxTest::consumedCharacterTypesNothing() {
  sink_.swallowPress = 'k';
  QTest::keyClicks(box_.get(), QStringLiteral("kx"));
  QCOMPARE(box_->toPlainText(), QStringLiteral("x"));
}

void TypeBoxTest::aKeyWithoutAVirtualCodeStillReachesTheSink() {
  // Another keyboard's letter: the engine sees it go down and up, and the
  // box types it.
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QStringLiteral("\u00E9"));
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Eacute, Qt::NoModifier, QStringLiteral("\u00E9"));
  QCoreApplication::sendEvent(box_.get(), &press);
  QCoreApplication::sendEvent(box_.get(), &release);
  const std::vector<std::string> expected{"down 0 233/0", "up 0/0"};
  QCOMPARE(sink_.calls, expected);
  QCOMPARE(box_->toPlainText(), QStringLiteral("\u00E9"));
}

void TypeBoxTest::autoRepeatRepeatsDownButNotUp() {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_K, Qt::NoModifier, QStringLiteral("k"), true);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_K, Qt::NoModifier, QStringLiteral("k"), true);
  QKeyEvent last(QEvent::KeyRelease, Qt::Key_K, Qt::NoModifier, QStringLiteral("k"), false);
  QCoreApplication::sendEvent(box_.get(), &press);
  QCoreApplication::sendEvent(box_.get(), &release);
  QCoreApplication::sendEvent(box_.get(), &press);
  QCoreApplication::sendEvent(box_.get(), &last);
  const std::vector<std::string> expected{"down 75 107/0", "down 75 107/0", "up 75/0"};
  QCOMPARE(sink_.calls, expected);
}

void TypeBoxTest::ctrlLetterArrivesAsControlCharacter() {
  // Some platforms give Ctrl+D no text at all.
  QKeyEvent press(QEvent::KeyPress, Qt::Key_D, Qt::ControlModifier, QString());
  QCoreApplication::sendEvent(box_.get(), &press);
  const std::vector<std::string> expected{"down 68 4/2"};
  QCOMPARE(sink_.calls, expected);
}

void TypeBoxTest::mouseReleaseReportsMouseUp() {
  QTest::mouseClick(box_->viewport(), Qt::LeftButton);
  const std::vector<std::string> expected{"mouse up"};
  QCOMPARE(sink_.calls, expected);
}

void TypeBoxTest::inputMethodsAreOff() {
  QVERIFY(!box_->testAttribute(Qt::WA_InputMethodEnabled));
}

void TypeBoxTest::textBoxCountsCodeUnitsNotClusters() {
  QtTextBox text(*box_);
  // KA + AA and KHA: two clusters, three code units.
  box_->setPlainText(FromU16(u"\u0915\u093E\u0916"));
  QVERIFY(text.SetSelStart(1));
  QCOMPARE(text.SelStart(), 1);
  QVERIFY(text.SetSelLength(1));
  QCOMPARE(text.SelLength(), 1);
  QVERIFY(text.SelText() == u"\u093E");
  text.SetSelText(u"\u0948");
  QVERIFY(text.Text() == u"\u0915\u0948\u0916");
  // The caret stands after the new text.
  QCOMPARE(text.SelStart(), 2);
  QCOMPARE(text.SelLength(), 0);
}

void TypeBoxTest::textBoxRefusesNegativesAndClampsAtTheEnd() {
  QtTextBox text(*box_);
  box_->setPlainText(QStringLiteral("abc"));
  QVERIFY(text.SetSelStart(1));
  QVERIFY(!text.SetSelStart(-1));
  QCOMPARE(text.SelStart(), 1);
  QVERIFY(!text.SetSelLength(-2));
  QCOMPARE(text.SelLength(), 0);
  QVERIFY(text.SetSelLength(99));
  QCOMPARE(text.SelLength(), 2);
  QVERIFY(text.SetSelStart(99));
  QCOMPARE(text.SelStart(), 3);
  text.SetSelText(u"d");
  QVERIFY(text.Text() == u"abcd");
}

void TypeBoxTest::textBoxLinesAreNewlines() {
  QtTextBox text(*box_);
  text.SetSelText(u"a\nb");
  QVERIFY(text.Text() == u"a\nb");
  QVERIFY(text.SetSelStart(0));
  QVERIFY(text.SetSelLength(3));
  // The selection of a text edit marks line breaks with U+2029; the model does not.
  QVERIFY(text.SelText() == u"a\nb");
  QCOMPARE(text.SelLength(), 3);
}

void TypeBoxTest::longRunWithoutSpacesWrapsAnywhere() {
  QCOMPARE(box_->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
  box_->setPlainText(QString(5000, QLatin1Char('w')));
  QCOMPARE(box_->wordWrapMode(), QTextOption::WrapAnywhere);
  // Words again: the ordinary wrap comes back.
  box_->setPlainText(QStringLiteral("short words ").repeated(500));
  QCOMPARE(box_->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
}

void TypeBoxTest::keyInALongParagraphStaysQuick() {
  // 100 000 Devanagari letters without a space or line break: each key used
  // to lay the paragraph out in time square to its length (seconds a key).
  QString run;
  const QString letters = QString(QChar(0x0928)) + QChar(0x092E) + QChar(0x0938);
  while (run.size() < 100000) run += letters;
  box_->SetKeySink(nullptr);
  box_->resize(400, 120);
  box_->setPlainText(run);
  box_->moveCursor(QTextCursor::End);
  QElapsedTimer clock;
  clock.start();
  for (int i = 0; i < 5; ++i) {
    QTest::keyClick(box_.get(), 'k');
    box_->viewport()->repaint();
  }
  // Generous for a loaded or sanitized build; the old layout took seconds.
  QVERIFY2(clock.elapsed() < 5 * 400, qPrintable(QString::number(clock.elapsed()) + " ms"));
}

QTEST_MAIN(TypeBoxTest)
#include "type_box_test.moc"
