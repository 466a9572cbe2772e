// The on-screen keyboard as a widget: its caps and labels, typing by click,
// the pressed look, captions and the two lists.

#include <QComboBox>
#include <QSignalSpy>
#include <QtTest>

#include "engine/layout_choice.h"
#include "ui/typing/keyboard_panel.h"

using lekhora::KeyboardPanel;
using lekhora::KeyLabel;

namespace {

QString Units(std::initializer_list<char16_t> units) {
  QString s;
  for (char16_t u : units) s += QChar(u);
  return s;
}

}  // namespace

class KeyboardPanelTest : public QObject {
  Q_OBJECT

 private slots:
  void hasFortySevenCapsAndOneHundredEightyEightLabels() {
    KeyboardPanel panel;
    QCOMPARE(panel.objectName(), QStringLiteral("picKB"));
    const auto caps = panel.findChildren<QWidget*>(QRegularExpression("^picC_\\d+$"));
    QCOMPARE(caps.size(), 47);
    QCOMPARE(panel.findChildren<KeyLabel*>().size(), 188);
    for (int code = 33; code <= 126; ++code) {
      QVERIFY(panel.findChild<QLabel*>(QStringLiteral("lblE_%1").arg(code)));
      QVERIFY(panel.findChild<QLabel*>(QStringLiteral("lblU_%1").arg(code)));
    }
    // No label for the space bar or code 127.
    for (int code : {0, 32, 127, 128, -1}) {
      QVERIFY(!panel.LatinLabel(code));
      QVERIFY(!panel.OutputLabel(code));
    }
    QCOMPARE(panel.size(), QSize(497, 153));
  }

  void labelsSitShiftedAboveUnshiftedInTheirCap() {
    KeyboardPanel panel;
    KeyLabel* k = panel.LatinLabel('k');
    KeyLabel* K = panel.LatinLabel('K');
    QCOMPARE(k->parentWidget(), K->parentWidget());
    QCOMPARE(panel.OutputLabel('k')->parentWidget(), k->parentWidget());
    QCOMPARE(K->geometry(), QRect(0, 0, 16, 16));
    QCOMPARE(panel.OutputLabel('K')->geometry(), QRect(16, 0, 16, 16));
    QCOMPARE(k->geometry(), QRect(0, 16, 16, 16));
    QCOMPARE(panel.OutputLabel('k')->geometry(), QRect(16, 16, 16, 16));
    // The home row's k cap: left 900 + 7 caps of 540, top 1140 twips.
    QCOMPARE(k->parentWidget()->geometry(), QRect(312, 76, 32, 32));
  }

  void initialisingGivesLatinCaptionsColoursAndCentring() {
    KeyboardPanel panel;
    panel.SetKeyColors(QColor(76, 147, 233), QColor(255, 255, 255), QColor(0, 0, 0));
    panel.InitialiseKeyLabels();
    QCOMPARE(panel.LatinLabel('k')->text(), QStringLiteral("k"));
    QCOMPARE(panel.LatinLabel('"')->text(), QStringLiteral("\""));
    QCOMPARE(panel.LatinLabel('\\')->text(), QStringLiteral("\\"));
    for (KeyLabel* label : panel.findChildren<KeyLabel*>()) {
      QCOMPARE(label->Background(), QColor(76, 147, 233));
      QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 0));
      QCOMPARE(label->alignment(), Qt::AlignCenter);
      QCOMPARE(label->textFormat(), Qt::PlainText);
    }
    QCOMPARE(panel.OutputLabel('k')->text(), QString());
  }

  void clickingALabelReportsItsCaption() {
    KeyboardPanel panel;
    panel.InitialiseKeyLabels();
    const QString ka = Units({0x0915});
    panel.SetCaption(107, ka);
    QSignalSpy spy(&panel, &KeyboardPanel::captionClicked);
    QTest::mouseClick(panel.OutputLabel(107), Qt::LeftButton);
    QTest::mouseClick(panel.LatinLabel(107), Qt::LeftButton);
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.at(0).at(0).toString(), ka);
    QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("k"));
    // Only the left button clicks; an empty caption is reported as it is.
    QTest::mouseClick(panel.OutputLabel(107), Qt::RightButton);
    QCOMPARE(spy.size(), 2);
    QTest::mouseClick(panel.OutputLabel('~'), Qt::LeftButton);
    QCOMPARE(spy.size(), 3);
    QCOMPARE(spy.at(2).at(0).toString(), QString());
  }

  void aLabelIsWhiteWhileTheButtonIsDown() {
    KeyboardPanel panel;
    panel.SetKeyColors(QColor(76, 147, 233), QColor(255, 255, 255), QColor(0, 0, 0));
    panel.InitialiseKeyLabels();
    KeyLabel* label = panel.OutputLabel('a');
    QSignalSpy spy(&panel, &KeyboardPanel::captionClicked);
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
      QTest::mousePress(label, button);
      QCOMPARE(label->Background(), QColor(255, 255, 255));
      QCOMPARE(panel.OutputLabel('b')->Background(), QColor(76, 147, 233));
      QTest::mouseRelease(label, button);
      QCOMPARE(label->Background(), QColor(76, 147, 233));
    }
    // Released away from the label: the look comes back, but no click.
    QTest::mousePress(label, Qt::LeftButton);
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(100, 100));
    QCOMPARE(label->Background(), QColor(76, 147, 233));
    QCOMPARE(spy.size(), 1);
  }

  void captionsFollowTheLayoutAndNameTheKeyForScreenReaders() {
    KeyboardPanel panel;
    panel.InitialiseKeyLabels();
    lekhora::LayoutChoice choice;
    auto paint = [&panel, &choice](lekhora::CaptionRange range) {
      for (int code = range.first; code <= range.last; ++code)
        panel.SetCaption(
            code, QString::fromStdU16String(std::u16string(choice.CurrentLayout().Caption(code))));
    };
    paint(choice.SetLayout(lekhora::kPhoneticVimraLayout));
    QCOMPARE(panel.Caption(107), Units({0x0915}));
    QCOMPARE(panel.OutputLabel(107)->accessibleName(), QStringLiteral("k: ") + Units({0x0915}));
    QCOMPARE(panel.LatinLabel(107)->accessibleName(), QStringLiteral("k"));

    paint(choice.SetLayout(lekhora::kRemingtonLayout));
    const QString remingtonK = panel.Caption(107);
    QVERIFY(remingtonK != Units({0x0915}));
    QCOMPARE(panel.OutputLabel(107)->accessibleName(), QStringLiteral("k: ") + remingtonK);

    // Codes without labels are ignored.
    for (int code : {0, 1, 32, 127, 128, 5000}) panel.SetCaption(code, QStringLiteral("x"));
    QCOMPARE(panel.Caption(32), QString());
  }

  void listsStartAsDesignedAndReportChoices() {
    KeyboardPanel panel;
    QComboBox* comTo = panel.OutputScriptList();
    QComboBox* comMap = panel.LayoutList();
    QCOMPARE(comTo->objectName(), QStringLiteral("comTo"));
    QCOMPARE(comMap->objectName(), QStringLiteral("comMap"));
    QVERIFY(!comTo->isEditable());
    QVERIFY(!comMap->isEditable());
    QCOMPARE(comTo->currentIndex(), -1);
    QStringList scripts;
    for (int i = 0; i < comTo->count(); ++i) scripts << comTo->itemText(i);
    QCOMPARE(scripts, QStringList({"Bangla", "Romanized", "Gurumukhi", "Gujarati", "Hindi",
                                   "Kannad", "Oriya", "Tamil", "Telugu", "Malayalam"}));
    QStringList layouts;
    for (int i = 0; i < comMap->count(); ++i) layouts << comMap->itemText(i);
    QCOMPARE(layouts, QStringList({"Phonetic(Vimra)", "Phonetic", "Remington", "Inscript",
                                   "IntelligentRoman"}));
    QCOMPARE(comMap->currentIndex(), 0);
    QCOMPARE(comTo->geometry(), QRect(0, 80, 57, 22));
    QCOMPARE(comMap->geometry(), QRect(2, 120, 73, 22));

    QSignalSpy scriptSpy(&panel, &KeyboardPanel::outputScriptChosen);
    QSignalSpy layoutSpy(&panel, &KeyboardPanel::layoutChosen);
    emit comTo->textActivated(QStringLiteral("Gujarati"));
    emit comMap->textActivated(QStringLiteral("Remington"));
    QCOMPARE(scriptSpy.size(), 1);
    QCOMPARE(scriptSpy.at(0).at(0).toString(), QStringLiteral("Gujarati"));
    QCOMPARE(layoutSpy.size(), 1);
    QCOMPARE(layoutSpy.at(0).at(0).toString(), QStringLiteral("Remington"));

    // Showing the current layout reports no choice.
    panel.ShowLayout(QStringLiteral("Inscript"));
    QCOMPARE(comMap->currentText(), QStringLiteral("Inscript"));
    panel.ShowLayout(QStringLiteral("inscript"));
    QCOMPARE(comMap->currentText(), QStringLiteral("Inscript"));
    QCOMPARE(layoutSpy.size(), 1);
  }
};

QTEST_MAIN(KeyboardPanelTest)
#include "keyboard_panel_test.moc"
