// The typing window under real key events, clicks and edits.

#include "tests/ui/windows/fixture.h"

using namespace lekhora;
using namespace lekhora::testing;

namespace lekhora::windows_test {
namespace {
class TypingTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ResetTyping(); }

  void keysComposeInTheBox();
  void shiftSpaceWritesTheSuggestion();
  void shiftDownAndUpScrollAndMoveNothing();
  void backspaceShortensTheWordBeingTyped();
  void clickInTheBoxForgetsTheWord();
  void conversionOffTypesLatin();
  void popupNeverTakesTheFocus();
  void keysAndClicksOnThePopupLeaveTheKeyboardWithTheBox();
  void aWordNoWordBeginsWithStaysAsTyped();
  void customWordClickInsertsAndGivesFocusBack();
  void doubleClicksActOnce();
  void editsOutsideTheKeysEndTheComposition();
  void acceptsReplaceOnlyTheWord();
  void selectAllShowsNoMarkerAndTheNextWordIsFollowed();
};

void TypingTest::keysComposeInTheBox() {
  QTest::keyClicks(&Box(), QStringLiteral("kh"));
  COMPARE_TEXT(Box().toPlainText(), Q(u"\u0916"));
  QTest::keyClicks(&Box(), QStringLiteral(" kai Aii"));
  COMPARE_TEXT(Box().toPlainText(), Q(u"\u0916 \u0915\u0948 \u0908"));
  // Enter goes to the text box, and ends the word.
  QTest::keyClick(&Box(), Qt::Key_Return);
  QCOMPARE(Box().toPlainText().right(1), QStringLiteral("\n"));
  QVERIFY(State().WordPrefix.empty());
}

void TypingTest::shiftSpaceWritesTheSuggestion() {
  QTest::keyClicks(&Box(), QStringLiteral("nam"));
  const std::u16string prefix = u"\u0928\u093E\u092E";
  QVERIFY(State().WordPrefix == prefix);
  const auto& list = Type().Lists().WordList;
  const int index = Type().Core().Suggest().SuggestionIndex();
  QVERIFY(index >= 0 && index < list.size());
  const std::u16string word(list[index]);
  QVERIFY2(word.starts_with(prefix), "the bundled list has no word for the test prefix");
  QCOMPARE(WordsWindowSlot().Find()->lblMain()->text(), QStringLiteral(" ") + Q(word));

  // Pressed as a person does: Shift down, Space tapped, Shift up.
  QTest::keyPress(&Box(), Qt::Key_Shift);
  QTest::keyClick(&Box(), Qt::Key_Space, Qt::ShiftModifier);
  QTest::keyRelease(&Box(), Qt::Key_Shift, Qt::ShiftModifier);
  COMPARE_TEXT(Box().toPlainText(), Q(word));
  QCOMPARE(Box().textCursor().position(), static_cast<int>(word.size()));

  // Again at once, with Shift let go before Space as a quick hand does: the
  // Space's release comes without Shift, and still replaces the word whole.
  QTest::keyPress(&Box(), Qt::Key_Shift);
  QTest::keyPress(&Box(), Qt::Key_Space, Qt::ShiftModifier);
  QTest::keyRelease(&Box(), Qt::Key_Shift, Qt::NoModifier);
  QTest::keyRelease(&Box(), Qt::Key_Space, Qt::NoModifier);
  COMPARE_TEXT(Box().toPlainText(), Q(word));
}

void TypingTest::shiftDownAndUpScrollAndMoveNothing() {
  Box().setPlainText(QStringLiteral("x\ny"));
  QTextCursor cursor = Box().textCursor();
  cursor.setPosition(1);
  Box().setTextCursor(cursor);
  QTest::keyClick(&Box(), Qt::Key_K);
  const int caret = Box().textCursor().position();
  const int index = Type().Core().Suggest().SuggestionIndex();
  const auto& list = Type().Lists().WordList;
  QTest::keyClick(&Box(), Qt::Key_Down, Qt::ShiftModifier);
  QCOMPARE(Type().Core().Suggest().SuggestionIndex(), index + 1);
  QCOMPARE(WordsWindowSlot().Find()->lblMain()->text(), QStringLiteral(" ") + Q(list[index + 1]));
  QTest::keyClick(&Box(), Qt::Key_Up, Qt::ShiftModifier);
  QTest::keyClick(&Box(), Qt::Key_Up, Qt::ShiftModifier);
  QCOMPARE(Type().Core().Suggest().SuggestionIndex(), index - 1);
  QCOMPARE(Box().textCursor().position(), caret);
  QVERIFY(!Box().textCursor().hasSelection());
  // Without Shift the arrows are the text box's own and leave the suggestion.
  QTest::keyClick(&Box(), Qt::Key_Down);
  QCOMPARE(Type().Core().Suggest().SuggestionIndex(), index - 1);
  QVERIFY(Box().textCursor().position() != caret);
}

void TypingTest::backspaceShortensTheWordBeingTyped() {
  QTest::keyClicks(&Box(), QStringLiteral("kak"));
  QTest::keyClick(&Box(), Qt::Key_Backspace);
  COMPARE_TEXT(Box().toPlainText(), Q(u"\u0915\u093E"));
  COMPARE_TEXT(Q(State().WordPrefix), Q(u"\u0915\u093E"));
}

void TypingTest::clickInTheBoxForgetsTheWord() {
  QTest::keyClicks(&Box(), QStringLiteral("ka"));
  QVERIFY(!State().WordPrefix.empty());
  QTest::mouseClick(Box().viewport(), Qt::LeftButton);
  QVERIFY(State().WordPrefix.empty());
}

void TypingTest::conversionOffTypesLatin() {
  QTest::mouseClick(&Child<QCheckBox>(Type(), "chKB"), Qt::LeftButton);
  QVERIFY(!Child<QCheckBox>(Type(), "chKB").isChecked());
  const QString tipBefore = WordsWindowSlot().Find()->lblTip()->text();
  QTest::keyClicks(&Box(), QStringLiteral("kh"));
  QCOMPARE(Box().toPlainText(), QStringLiteral("kh"));
  QVERIFY(State().WordPrefix.empty());
  QCOMPARE(WordsWindowSlot().Find()->lblTip()->text(), tipBefore);
}

void TypingTest::popupNeverTakesTheFocus() {
  FrmWords& words = *WordsWindowSlot().Find();
  QVERIFY(words.windowFlags() & Qt::WindowDoesNotAcceptFocus);
  QVERIFY(words.windowFlags() & Qt::Tool);
  QVERIFY(words.windowFlags() & Qt::FramelessWindowHint);
  QVERIFY(words.testAttribute(Qt::WA_ShowWithoutActivating));
  Type().activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&Type()));
  QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&Box()));
  // Refilling the popup leaves the focus where it was. (Showing it is the
  // window system's matter; the offscreen one activates every window shown.)
  QTest::keyClicks(&Box(), QStringLiteral("ka"));
  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&Box()));
  QCOMPARE(Child<QLabel>(words, "imgClose").toolTip(), QStringLiteral("Hide Suggestions"));
}

void TypingTest::keysAndClicksOnThePopupLeaveTheKeyboardWithTheBox() {
  FrmWords& words = *WordsWindowSlot().Find();
  // Clicked, the popup gives the keyboard back; its keys go to the box.
  QTest::mouseClick(words.lblTip(), Qt::LeftButton, {}, QPoint(20, 10));
  QTest::keyClicks(&words, QStringLiteral("km"));
  QTest::keyClicks(words.lblMain(), QStringLiteral("l"));
  COMPARE_TEXT(Box().toPlainText(), Q(u"\u0915\u092E\u0932"));
  QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&Box()));
  // Shift+Space through the popup accepts as in the box.
  QTest::keyClick(&words, Qt::Key_Space, Qt::ShiftModifier);
  QVERIFY(Box().toPlainText().startsWith(Q(u"\u0915\u092E\u0932")));
  QCOMPARE(Box().toPlainText(), words.lblMain()->text().mid(1));
}

void TypingTest::aWordNoWordBeginsWithStaysAsTyped() {
  FrmWords& words = *WordsWindowSlot().Find();
  QTest::keyClicks(&Box(), QStringLiteral("korona"));
  const QString typed = Box().toPlainText();
  // The popup claims no word: no row marked, the caption says so.
  QCOMPARE(words.lblMain()->text(), Q(std::u16string(kNoMatchCaption)));
  const QStringList rows = words.lblTip()->text().split(QLatin1Char('\n'));
  QVERIFY(rows.size() > 3);
  QVERIFY2(rows[2].isEmpty(), qPrintable(rows.join('|')));
  QTest::keyClick(&Box(), Qt::Key_Space, Qt::ShiftModifier);
  COMPARE_TEXT(Box().toPlainText(), typed + QStringLiteral(" "));
  // Shift+Right too; after Shift+Down the word scrolled to is accepted.
  QTest::keyClicks(&Box(), QStringLiteral("Ziqr"));
  const QString both = Box().toPlainText();
  QTest::keyClick(&Box(), Qt::Key_Right, Qt::ShiftModifier);
  COMPARE_TEXT(Box().toPlainText(), both);
  QTest::keyClick(&Box(), Qt::Key_Down, Qt::ShiftModifier);
  QVERIFY(words.lblMain()->text() != Q(std::u16string(kNoMatchCaption)));
  QTest::keyClick(&Box(), Qt::Key_Space, Qt::ShiftModifier);
  COMPARE_TEXT(Box().toPlainText(), typed + QStringLiteral(" ") + words.lblMain()->text().mid(1));
}

void TypingTest::customWordClickInsertsAndGivesFocusBack() {
  auto& list = Child<QListWidget>(Type(), "lstCustomWords");
  QVERIFY(list.count() > 0);
  QTest::keyClicks(&Box(), QStringLiteral("ka"));
  const std::u16string prefix = State().WordPrefix;
  Box().selectAll();
  Type().activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&Type()));
  const QRect place = list.visualItemRect(list.item(0));
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, place.center());
  QCOMPARE(Box().toPlainText(), list.item(0)->text());
  // The word typed was selected away: it is no longer the word being typed.
  QVERIFY(!prefix.empty());
  QVERIFY(State().WordPrefix.empty());
  QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&Box()));
}

void TypingTest::editsOutsideTheKeysEndTheComposition() {
  // Backspace, an arrow and a click each leave a character the last key did
  // not write before the caret: "h" is typed as after a word break.
  QTest::keyClicks(&Box(), QStringLiteral("mk"));
  QTest::keyClick(&Box(), Qt::Key_Backspace);
  QTest::keyClicks(&Box(), QStringLiteral("h"));
  COMPARE_TEXT(Box().toPlainText(), Q(u"\u092E\u0939"));
  Box().clear();
  QTest::keyClicks(&Box(), QStringLiteral("mk"));
  QTest::keyClick(&Box(), Qt::Key_Left);
  QVERIFY(State().WordPrefix.empty());
  QTest::keyClicks(&Box(), QStringLiteral("h"));
  COMPARE_TEXT(Box().toPlainText(), Q(u"\u092E\u0939\u0915"));
  Box().clear();
  QTest::keyClicks(&Box(), QStringLiteral("mk"));
  QTextCursor start = Box().textCursor();
  start.setPosition(0);
  QTest::mouseClick(Box().viewport(), Qt::LeftButton, {}, Box().cursorRect(start).center());
  QCOMPARE(Box().textCursor().position(), 0);
  QTest::keyClicks(&Box(), QStringLiteral("h"));
  COMPARE_TEXT(Box().toPlainText(), Q(u"\u0939\u092E\u0915"));
  // Unbroken typing still composes.
  Box().clear();
  QTest::keyClicks(&Box(), QStringLiteral("Aaiye"));
  COMPARE_TEXT(Box().toPlainText(), Q(u"\u0910\u092F\u0947"));
}

void TypingTest::acceptsReplaceOnlyTheWord() {
  const auto& list = Type().Lists().WordList;
  auto current = [&list] {
    return std::u16string(list[Type().Core().Suggest().SuggestionIndex()]);
  };
  // Shift+Right in the middle of a line keeps the character after the caret.
  Box().setPlainText(QStringLiteral("x"));
  QTextCursor cursor = Box().textCursor();
  cursor.setPosition(0);
  Box().setTextCursor(cursor);
  QTest::keyClicks(&Box(), QStringLiteral("nam"));
  const std::u16string first = current();
  QTest::keyClick(&Box(), Qt::Key_Right, Qt::ShiftModifier);
  COMPARE_TEXT(Box().toPlainText(), Q(first) + QStringLiteral("x"));
  QVERIFY(State().WordPrefix == first);
  // A second accept after Shift+Down swaps in the next word, whole.
  QTest::keyClick(&Box(), Qt::Key_Down, Qt::ShiftModifier);
  const std::u16string next = current();
  QVERIFY(next != first);
  QTest::keyClick(&Box(), Qt::Key_Space, Qt::ShiftModifier);
  COMPARE_TEXT(Box().toPlainText(), Q(next) + QStringLiteral("x"));
  // After a plain space there is no word: Shift+Space only types its space.
  QTest::keyClick(&Box(), Qt::Key_Space);
  QTest::keyClick(&Box(), Qt::Key_Space, Qt::ShiftModifier);
  COMPARE_TEXT(Box().toPlainText(), Q(next) + QStringLiteral("  x"));
}

void TypingTest::selectAllShowsNoMarkerAndTheNextWordIsFollowed() {
  FrmWords& words = *WordsWindowSlot().Find();
  QTest::keyClicks(&Box(), QStringLiteral("nam "));
  // Ctrl+A searches the empty word: the current suggestion is the first word
  // of the list, which has no words before it.
  // As X11 gives it, with its control character for text.
  QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, QString(QChar(1)));
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::ControlModifier, QString(QChar(1)));
  QCoreApplication::sendEvent(&Box(), &press);
  QCoreApplication::sendEvent(&Box(), &release);
  QVERIFY(Box().textCursor().hasSelection());
  QVERIFY(State().WordPrefix.empty());
  const QStringList rows = words.lblTip()->text().split(QLatin1Char('\n'));
  QVERIFY2(!words.lblTip()->text().contains(QStringLiteral("<<<")), qPrintable(rows.join('|')));
  QVERIFY(!words.lblTip()->text().contains(QStringLiteral(">>>")));
  // It stands in the row the highlight covers.
  QVERIFY(rows.size() > 2);
  QCOMPARE(QStringLiteral(" ") + rows[2], words.lblMain()->text());
  QVERIFY(rows[0].isEmpty() && rows[1].isEmpty());
  QTest::keyClick(&Box(), Qt::Key_Backspace);
  QCOMPARE(Box().toPlainText(), QString());
  QTest::keyClicks(&Box(), QStringLiteral("nam"));
  COMPARE_TEXT(Q(State().WordPrefix), Q(u"\u0928\u093E\u092E"));
  QVERIFY(words.lblMain()->text().startsWith(Q(u" \u0928\u093E\u092E")));
  QTest::keyClick(&Box(), Qt::Key_Space, Qt::ShiftModifier);
  COMPARE_TEXT(Box().toPlainText(), words.lblMain()->text().mid(1));
}

// The events of a double click as Qt delivers them: press, release, press,
// double click, release.
void DoubleClick(QWidget& widget, QPoint at) {
  QTest::mousePress(&widget, Qt::LeftButton, {}, at);
  QTest::mouseRelease(&widget, Qt::LeftButton, {}, at);
  QTest::mousePress(&widget, Qt::LeftButton, {}, at);
  QTest::mouseDClick(&widget, Qt::LeftButton, {}, at);
  QTest::mouseRelease(&widget, Qt::LeftButton, {}, at);
}

void TypingTest::doubleClicksActOnce() {
  // A custom word goes in once.
  auto& list = Child<QListWidget>(Type(), "lstCustomWords");
  QVERIFY(list.count() > 0);
  DoubleClick(*list.viewport(), list.visualItemRect(list.item(0)).center());
  QCOMPARE(Box().toPlainText(), list.item(0)->text());
  // So does an on-screen key.
  Box().clear();
  auto& key = Child<QLabel>(Type(), "lblU_107");
  DoubleClick(key, key.rect().center());
  QCOMPARE(Box().toPlainText(), key.text());
  // And the toolbar's paste pastes once.
  Box().clear();
  QApplication::clipboard()->setText(QStringLiteral("x"));
  auto& paste = Child<QLabel>(Type(), "imgPaste");
  DoubleClick(paste, paste.rect().center());
  QCOMPARE(Box().toPlainText(), QStringLiteral("x"));
  // The font image acts per release: a double click steps the size twice.
  const double before = Box().font().pointSizeF();
  auto& font = Child<QLabel>(Type(), "imgFont");
  DoubleClick(font, font.rect().center());
  QCOMPARE(Box().font().pointSizeF() - before, 2.0);
  Box().setFont([&] {
    QFont f = Box().font();
    f.setPointSizeF(before);
    return f;
  }());
}

}  // namespace

std::unique_ptr<QObject> TypingTests() {
  return std::make_unique<TypingTest>();
}

}  // namespace lekhora::windows_test

#include "typing_window_test.moc"
