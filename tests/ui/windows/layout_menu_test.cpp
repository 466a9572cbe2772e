// The Layout menu and the labels that pop it up.

#include <QComboBox>

#include "tests/ui/windows/fixture.h"
#include "ui/typing/keyboard_panel.h"

using namespace lekhora;
using namespace lekhora::testing;

namespace lekhora::windows_test {
namespace {
class LayoutMenuTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ResetTyping(); }
  void menuStartsWithTheDefaultChecked();
  void eachEntryChecksItselfAloneAndSetsTheLayout();
  void labelsPopUpTheLayoutMenu();
  void intelligentRomanComposesLatinLettersIntoWords();
};

void LayoutMenuTest::menuStartsWithTheDefaultChecked() {
  QMenu& menu = TrayWindow().LayoutMenu();
  QCOMPARE(menu.objectName(), QStringLiteral("mnuLayout"));
  const QList<QAction*> entries = menu.actions();
  QCOMPARE(entries.size(), 5);
  QCOMPARE(entries[0]->objectName(), QStringLiteral("mnuLayoutIR"));
  QCOMPARE(entries[0]->text(), QStringLiteral("IntelligentRoman"));
  QVERIFY(entries[0]->isEnabled());
  QVERIFY(!entries[0]->isChecked());
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

// Chosen from the menu, IntelligentRoman keeps the letters in the box,
// underlined, with the candidates in the popup; a break writes the word.
void LayoutMenuTest::intelligentRomanComposesLatinLettersIntoWords() {
  const QString kaise = Q(u"\u0915\u0948\u0938\u0947");
  const QString ho = Q(u"\u0939\u094B");
  Type().SetRomanSource([&](std::u16string_view letters, std::u16string_view, int) {
    if (letters == u"kaise")
      return std::vector<std::u16string>{kaise.toStdU16String(), u"\u0915\u0907\u0938\u0947"};
    if (letters == u"ho") return std::vector<std::u16string>{ho.toStdU16String()};
    return std::vector<std::u16string>{};
  });
  QMenu& menu = TrayWindow().LayoutMenu();
  Entry(menu, "mnuLayoutIR").trigger();
  QVERIFY(Entry(menu, "mnuLayoutIR").isChecked());
  QVERIFY(!Entry(menu, "mnuLayoutPhoneticVimra").isChecked());
  const QLabel& label = Child<QLabel>(Type(), "lblLayout");
  QCOMPARE(label.text(), QStringLiteral("IntelligentRoman"));
  // The longest name is shown whole.
  QVERIFY(QFontMetrics(label.font()).horizontalAdvance(label.text()) <=
          label.contentsRect().width());
  QCOMPARE(Type().Keyboard().LayoutList()->currentText(), QStringLiteral("IntelligentRoman"));
  QCOMPARE(Q(Type().KeyCaption('k')), QStringLiteral("k"));

  QTest::keyClicks(&Box(), QStringLiteral("kaise"));
  QCOMPARE(Box().toPlainText(), QStringLiteral("kaise"));
  QCOMPARE(Box().extraSelections().size(), 1);
  QCOMPARE(Box().extraSelections()[0].cursor.selectedText(), QStringLiteral("kaise"));
  QCOMPARE(Type().Popup()->lblMain()->text().trimmed(), kaise);
  QTest::keyClick(&Box(), Qt::Key_Down, Qt::ShiftModifier);
  QCOMPARE(Type().Popup()->lblMain()->text().trimmed(), Q(u"\u0915\u0907\u0938\u0947"));
  QTest::keyClick(&Box(), Qt::Key_Up, Qt::ShiftModifier);
  // The rows from the current word on show the digits that pick them; a
  // click still reads the bare word.
  QLabel& rows = *Type().Popup()->lblTip();
  QCOMPARE(rows.text().split(QLatin1Char('\n')),
           (QStringList{QString(), QString(), QStringLiteral("1 ") + kaise,
                        QStringLiteral("2 ") + Q(u"\u0915\u0907\u0938\u0947")}));
  // A click on the row under the current word writes that word.
  const int second = rows.contentsRect().top() + 3 * Type().Popup()->RowHeight() + 2;
  QTest::mouseClick(&rows, Qt::LeftButton, {}, QPoint(10, second));
  COMPARE_TEXT(Box().toPlainText(), Q(u"\u0915\u0907\u0938\u0947"));
  Box().clear();
  QTest::keyClicks(&Box(), QStringLiteral("kaise"));
  QTest::keyClicks(&Box(), QStringLiteral(" ho "));
  COMPARE_TEXT(Box().toPlainText(), kaise + QLatin1Char(' ') + ho + QLatin1Char(' '));
  QVERIFY(Box().extraSelections().isEmpty());
  // The digit shown beside a word writes it.
  QTest::keyClicks(&Box(), QStringLiteral("kaise2 "));
  COMPARE_TEXT(Box().toPlainText(), kaise + QLatin1Char(' ') + ho + QLatin1Char(' ') +
                                        Q(u"\u0915\u0907\u0938\u0947") + QLatin1Char(' '));
  Box().setPlainText(kaise + QLatin1Char(' ') + ho + QLatin1Char(' '));
  Box().moveCursor(QTextCursor::End);

  // Escape keeps the letters; Backspace edits them.
  QTest::keyClicks(&Box(), QStringLiteral("helloo"));
  QTest::keyClick(&Box(), Qt::Key_Backspace);
  // The box's own deletion leaves the word composing.
  QCOMPARE(Type().Core().Composing().Length, 5);
  QCOMPARE(Box().extraSelections()[0].cursor.selectedText(), QStringLiteral("hello"));
  QTest::keyClick(&Box(), Qt::Key_Escape);
  QTest::keyClicks(&Box(), QStringLiteral(" "));
  COMPARE_TEXT(Box().toPlainText(), kaise + QLatin1Char(' ') + ho + QStringLiteral(" hello "));

  // A click in the box ends the word with its letters as typed.
  QTest::keyClicks(&Box(), QStringLiteral("ho"));
  QTest::mouseClick(Box().viewport(), Qt::LeftButton, {}, QPoint(2, 2));
  QVERIFY(Box().extraSelections().isEmpty());
  QVERIFY(Type().Core().Composing().Length == 0);
  COMPARE_TEXT(Box().toPlainText(), kaise + QLatin1Char(' ') + ho + QStringLiteral(" hello ho"));

  // The on-screen keyboard's letters compose too.
  Box().moveCursor(QTextCursor::End);
  for (const int key : {'h', 'o'})
    QTest::mouseClick(Type().Keyboard().OutputLabel(key), Qt::LeftButton);
  QCOMPARE(Type().Core().Composing().Length, 2);
  Entry(menu, "mnuLayoutPhoneticVimra").trigger();
  COMPARE_TEXT(Box().toPlainText(),
               kaise + QLatin1Char(' ') + ho + QStringLiteral(" hello ho") + ho);
  Type().SetRomanSource({});
}

void LayoutMenuTest::labelsPopUpTheLayoutMenu() {
  CloseNextPopup();
  QTest::mouseClick(&Child<QLabel>(Type(), "lblLayout"), Qt::LeftButton);
  QCOMPARE(ClosedPopup(), QStringLiteral("mnuLayout"));
  CloseNextPopup();
  QTest::mouseClick(&Child<QLabel>(Type(), "lblLayoutInfo"), Qt::LeftButton);
  QCOMPARE(ClosedPopup(), QStringLiteral("mnuLayout"));
}

}  // namespace

std::unique_ptr<QObject> LayoutMenuTests() {
  return std::make_unique<LayoutMenuTest>();
}

}  // namespace lekhora::windows_test

#include "layout_menu_test.moc"
