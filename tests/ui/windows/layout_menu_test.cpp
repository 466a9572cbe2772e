// The Layout menu and the labels that pop it up.

#include "tests/ui/windows/fixture.h"

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
};

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
