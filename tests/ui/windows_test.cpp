// The windows of the pad together: start-up, typing through real key events,
// the Layout menu, the toolbar's clipboard, the tray shell and the exit.
// The classes run in order on the one set of windows, as one run of the program.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/frm_splash.h"
#include "clipboard/qt/qt_clipboard_backend.h"
#include "engine/layout.h"
#include "engine/typing_engine.h"
#include "suggest/suggestions.h"
#include "tests/support/qt_test_support.h"
#include "tests/support/user_folders.h"
#include "ui/frm_about.h"
#include "ui/frm_help_type.h"
#include "ui/frm_tray.h"
#include "ui/frm_type.h"
#include "ui/frm_words.h"
#include "ui/type_box.h"
#include "ui/typing_core.h"
#include "ui/windows.h"

using namespace lekhora;
using namespace lekhora::testing;

namespace {

#define COMPARE_TEXT(actual, expected) QCOMPARE(Hex(actual), Hex(expected))

FrmType& Type() {
  return TypeWindow();
}
TypeBox& Box() {
  return Type().txtType();
}
TypingState& State() {
  return Type().Core().Engine().State();
}
QAction& Entry(QMenu& menu, const char* name) {
  return Child<QAction>(menu, name);
}

// The popup menu that CloseNextPopup last closed.
QString g_closedPopup;

// Closes whatever popup menu opens next, noting which one it was.
void CloseNextPopup() {
  g_closedPopup.clear();
  QTimer::singleShot(50, [] {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      g_closedPopup = popup->objectName();
      popup->close();
    }
  });
}

void ResetTyping() {
  Box().clear();
  Child<QCheckBox>(Type(), "chKB").setChecked(true);
  TrayWindow().ChooseLayout(QStringLiteral("Phonetic(Vimra)"));
  State() = TypingState{};
  Box().setFocus();
}

class FakeClipboard final : public ClipboardBackend {
 public:
  std::optional<std::u16string> content;
  bool fail = false;
  int writes = 0;
  bool SetText(const std::u16string& text) override {
    ++writes;
    content = text;
    return true;
  }
  std::optional<std::u16string> Text() override {
    if (fail) throw OverflowError();
    return content;
  }
};

}  // namespace

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
  QVERIFY(index >= 0 && index < static_cast<int>(list.size()));
  const std::u16string word = list[static_cast<std::size_t>(index)];
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
  QCOMPARE(WordsWindowSlot().Find()->lblMain()->text(),
           QStringLiteral(" ") + Q(list[static_cast<std::size_t>(index + 1)]));
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
    return list[static_cast<std::size_t>(Type().Core().Suggest().SuggestionIndex())];
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

class LayoutMenuTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ResetTyping(); }
  void menuStartsWithTheDefaultChecked();
  void eachEntryChecksItselfAloneAndSetsTheLayout();
  void labelsPopUpTheLayoutMenu();
};

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

void LayoutMenuTest::menuStartsWithTheDefaultChecked() {
  QMenu& menu = TrayWindow().LayoutMenu();
  QCOMPARE(menu.objectName(), QStringLiteral("mnuLayout"));
  const QList<QAction*> entries = menu.actions();
  QCOMPARE(entries.size(), 5);
  QCOMPARE(entries[0]->objectName(), QStringLiteral("mnuLayoutIR"));
  QCOMPARE(entries[0]->text(), QStringLiteral("IntelligentRoman"));
  QVERIFY(!entries[0]->isEnabled());
  QCOMPARE(entries[1]->text(), QStringLiteral("Phonetic (Vimra)"));
  QVERIFY(entries[1]->isChecked());
  for (int i = 2; i < 5; ++i) QVERIFY(!entries[i]->isChecked());
  auto& label = Child<QLabel>(Type(), "lblLayout");
  QCOMPARE(label.toolTip(), QStringLiteral("Click to change layout"));
  QCOMPARE(Child<QLabel>(Type(), "lblLayoutInfo").text(),
           QStringLiteral("click to change layout:"));
}

void LayoutMenuTest::eachEntryChecksItselfAloneAndSetsTheLayout() {
  struct Case {
    const char* entry;
    const char* layout;
  };
  const Case cases[] = {
      {"mnuLayoutInscript", "Inscript"},
      {"mnuLayoutRemington", "Remington"},
      {"mnuLayoutPhonetic", "Phonetic"},
      {"mnuLayoutPhonetic", "Phonetic"},  // again: nothing changes
      {"mnuLayoutPhoneticVimra", "Phonetic(Vimra)"},
  };
  QMenu& menu = TrayWindow().LayoutMenu();
  for (const Case& c : cases) {
    Entry(menu, c.entry).trigger();
    int checked = 0;
    for (QAction* action : menu.actions()) checked += action->isChecked() ? 1 : 0;
    QCOMPARE(checked, 1);
    QVERIFY(Entry(menu, c.entry).isChecked());
    QCOMPARE(Q(Type().CurrentLayout().Name()), QString::fromLatin1(c.layout));
    const std::u16string k(
        MakeLayout(QString::fromLatin1(c.layout).toStdU16String())->Caption('k'));
    QCOMPARE(Child<QLabel>(Type(), "lblLayout").text(), QString::fromLatin1(c.layout));
    // The keyboard shows the layout, and typing follows it.
    COMPARE_TEXT(Q(Type().KeyCaption('k')), Q(k));
    Box().clear();
    State() = TypingState{};
    QTest::keyClick(&Box(), Qt::Key_K);
    COMPARE_TEXT(Box().toPlainText(), Q(k));
  }
}

void LayoutMenuTest::labelsPopUpTheLayoutMenu() {
  CloseNextPopup();
  QTest::mouseClick(&Child<QLabel>(Type(), "lblLayout"), Qt::LeftButton);
  QCOMPARE(g_closedPopup, QStringLiteral("mnuLayout"));
  CloseNextPopup();
  QTest::mouseClick(&Child<QLabel>(Type(), "lblLayoutInfo"), Qt::LeftButton);
  QCOMPARE(g_closedPopup, QStringLiteral("mnuLayout"));
}

class ClipboardTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    ResetTyping();
    fake_ = FakeClipboard();
    Type().SetClipboardBackend(fake_);
    messages_.clear();
    Type().SetMessageSink([this](const QString& t, const QString& m) { messages_ << t + "|" + m; });
  }
  void cleanupTestCase() { Type().SetMessageSink({}); }

  void toolbarCopiesPastesAndSelects();
  void pasteAndSelectAllEndTheWordButLeaveTheSuggestions();
  void aFailingClipboardShowsTheErrorBox();
  void systemClipboardKeepsDevanagariAndOnlyIt();

 private:
  FakeClipboard fake_;
  QStringList messages_;
};

void ClipboardTest::toolbarCopiesPastesAndSelects() {
  auto& tools = Child<QWidget>(Type(), "picTools");
  auto& copy = Child<QLabel>(tools, "imgCopy");
  auto& paste = Child<QLabel>(tools, "imgPaste");
  auto& select = Child<QLabel>(tools, "imgSelect");
  QCOMPARE(copy.toolTip(), QStringLiteral("Copy ALL Text"));
  QCOMPARE(paste.toolTip(), QStringLiteral("Paste Text"));
  QCOMPARE(select.toolTip(), QStringLiteral("Select ALL Text"));

  // Select all on an empty box selects nothing.
  QTest::mouseClick(&select, Qt::LeftButton);
  QVERIFY(!Box().textCursor().hasSelection());
  // An empty box copies an empty text.
  QTest::mouseClick(&copy, Qt::LeftButton);
  QVERIFY(fake_.content == u"");

  Box().setPlainText(Q(u"\u0915\u0903 ab"));
  QTextCursor cursor = Box().textCursor();
  cursor.setPosition(1);
  cursor.setPosition(3, QTextCursor::KeepAnchor);
  Box().setTextCursor(cursor);
  QTest::mouseClick(&copy, Qt::LeftButton);
  QVERIFY(fake_.content == u"\u0915\u0903 ab");
  QCOMPARE(Box().textCursor().selectionStart(), 1);
  QCOMPARE(Box().textCursor().selectionEnd(), 3);

  fake_.content = u"\u0916";
  QTest::mouseClick(&paste, Qt::LeftButton);
  COMPARE_TEXT(Box().toPlainText(), Q(u"\u0915\u0916ab"));
  fake_.content.reset();
  QTest::mouseClick(&select, Qt::LeftButton);
  QCOMPARE(Box().textCursor().selectionEnd() - Box().textCursor().selectionStart(), 4);
  // Pasting an empty clipboard deletes the selection.
  QTest::mouseClick(&paste, Qt::LeftButton);
  QCOMPARE(Box().toPlainText(), QString());
  QVERIFY(messages_.isEmpty());
}

void ClipboardTest::pasteAndSelectAllEndTheWordButLeaveTheSuggestions() {
  QTest::keyClicks(&Box(), QStringLiteral("ka"));
  const std::u16string word = State().WordPrefix;
  const int index = Type().Core().Suggest().SuggestionIndex();
  const QString main = WordsWindowSlot().Find()->lblMain()->text();
  fake_.content = u"x";
  Type().CopyAllText();
  QVERIFY(State().WordPrefix == word);
  // After a paste or select all the word typed no longer ends the text before
  // the caret: nothing composes with it or replaces it.
  Type().PasteText();
  QVERIFY(State().WordPrefix.empty());
  QCOMPARE(State().LastKey, 0);
  QCOMPARE(Type().Core().Suggest().SuggestionIndex(), index);
  QCOMPARE(WordsWindowSlot().Find()->lblMain()->text(), main);
  QTest::keyClicks(&Box(), QStringLiteral("k"));
  QVERIFY(!State().WordPrefix.empty());
  Type().SelectAllText();
  QVERIFY(State().WordPrefix.empty());
}

void ClipboardTest::aFailingClipboardShowsTheErrorBox() {
  Box().setPlainText(QStringLiteral("abc"));
  Box().selectAll();
  fake_.fail = true;
  Type().PasteText();
  QCOMPARE(messages_, QStringList{QStringLiteral("GetUnicodeText|Error 6: Overflow")});
  QCOMPARE(Box().toPlainText(), QString());
}

void ClipboardTest::systemClipboardKeepsDevanagariAndOnlyIt() {
  QClipboard* system = QGuiApplication::clipboard();
  auto* stale = new QMimeData;
  stale->setHtml(QStringLiteral("<b>old</b>"));
  stale->setText(QStringLiteral("old"));
  system->setMimeData(stale);
  QtClipboardBackend backend;
  const std::u16string text = u"\u0926\u0941\u0903\u0916 \u0915\u094D";
  QVERIFY(backend.SetText(text));
  QVERIFY(!system->mimeData()->hasHtml());
  QVERIFY(backend.Text() == text);
  system->clear();
  QVERIFY(!backend.Text().has_value() || backend.Text()->empty());
}

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
  // Opening the menu reads the window's state.
  emit TrayWindow().MainMenu().aboutToShow();
  QCOMPARE(hide.text(), QStringLiteral("Show"));
  hide.trigger();
  QTRY_VERIFY(!Type().isMinimized());
  QVERIFY(Type().isVisible());
  QVERIFY(words.isVisible());
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
  QCOMPARE(g_closedPopup, QStringLiteral("mnuMain"));
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

class MissingListTest : public QObject {
  Q_OBJECT

 private slots:
  void padComesUpWithoutItsWordList();
};

void MissingListTest::padComesUpWithoutItsWordList() {
  QTemporaryDir folder;
  QVERIFY(folder.isValid());
  TypeWindowSlot().Unload();
  QVERIFY(!WordsWindowSlot().IsLoaded());
  const std::filesystem::path path(folder.path().toStdU16String());
  FrmType& type = TypeWindowSlot().Get(path);
  type.show();
  QCOMPARE(type.Lists().WordCount, std::int16_t{-1});
  // The user's words are the user's, wherever the program is; its folder is
  // not written.
  QVERIFY(Child<QListWidget>(type, "lstCustomWords").count() > 0);
  QVERIFY(!std::filesystem::exists(path / "customwords.txt"));
  QVERIFY(WordsWindowSlot().Find() && WordsWindowSlot().Find()->isVisible());
  // Typing still works; only the suggestions stay empty.
  QTest::keyClicks(&type.txtType(), QStringLiteral("kh"));
  COMPARE_TEXT(type.txtType().toPlainText(), Q(u"\u0916"));
  QVERIFY(WordsWindowSlot().Find()->lblTip()->text().isEmpty());

  // The maintenance command reports its failure and the pad goes on.
  QStringList messages;
  type.SetMessageSink([&](const QString&, const QString& m) { messages << m; });
  type.RunMaintenance();
  QCOMPARE(messages, QStringList{QStringLiteral("Source file does not exist")});
  QVERIFY(!std::filesystem::exists(path / "hnhugeenc.txt"));
  QVERIFY(TypeWindowSlot().IsLoaded());
  type.SetMessageSink({});
}

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

int main(int argc, char** argv) {
  const PrivateUserFolders home;
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  int failures = 0;
  StartupTest startup;
  TypingTest typing;
  LayoutMenuTest layout;
  ClipboardTest clipboard;
  TrayTest tray;
  MissingListTest missing;
  ExitTest exit;
  for (QObject* test : std::initializer_list<QObject*>{&startup, &typing, &layout, &clipboard,
                                                       &tray, &missing, &exit})
    failures += QTest::qExec(test, argc, argv);
  UnloadAllWindows();
  return failures == 0 ? 0 : 1;
}

#include "windows_test.moc"
