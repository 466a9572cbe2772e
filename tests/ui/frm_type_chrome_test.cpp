// The chrome inside the real typing window and popup: layout at every size,
// snapping back, the keyboard's captions and lists, the grip, the font image
// and typing by click.

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>
#include <cstdlib>

#include "engine/layout.h"
#include "tests/support/pad_test_main.h"
#include "tests/support/qt_test_support.h"
#include "tests/support/user_folders.h"
#include "ui/kit/chrome_images.h"
#include "ui/shell/frm_tray.h"
#include "ui/shell/windows.h"
#include "ui/typing/frm_type.h"
#include "ui/typing/frm_words.h"
#include "ui/typing/keyboard_panel.h"
#include "ui/typing/type_box.h"
#include "ui/typing/typing_core.h"

using namespace lekhora;
using namespace lekhora::testing;

namespace {

FrmType& Type() {
  return TypeWindow();
}
KeyboardPanel& Keys() {
  return Type().Keyboard();
}
QWidget& Control(const char* name) {
  return Child<QWidget>(Type(), name);
}

void Send(QWidget* to, QEvent::Type type, QPoint global, Qt::MouseButton button,
          Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(to->mapFromGlobal(global)), QPointF(global), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(to, &event);
}

void ReleaseOn(QWidget* widget, Qt::MouseButton button) {
  const QPoint at = widget->mapToGlobal(QPoint(3, 3));
  Send(widget, QEvent::MouseButtonPress, at, button, button);
  Send(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

// The top and bottom rows of pixels of a widget that differ from its
// background, or an empty range when nothing is drawn on it.
struct Ink {
  int Top = -1;
  int Bottom = -1;
  bool Empty() const { return Top < 0; }
};
Ink InkOf(QWidget& widget, const QColor& back) {
  const QImage image = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
  Ink ink;
  // Only the text's part: the popup's images stand at the right edge.
  const int width = std::min(image.width(), 120);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < width; ++x) {
      const QColor c = image.pixelColor(x, y);
      if (std::abs(c.red() - back.red()) + std::abs(c.green() - back.green()) +
              std::abs(c.blue() - back.blue()) >
          60) {
        if (ink.Top < 0) ink.Top = y;
        ink.Bottom = y;
        break;
      }
    }
  }
  return ink;
}

int Bottom(const QWidget& w) {
  return w.y() + w.height();
}

void ResizeTo(QWidget& window, QSize size) {
  window.resize(size);
  QCoreApplication::processEvents();
}

}  // namespace

class FrmTypeChromeTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    Type().show();
    QVERIFY(QTest::qWaitForWindowExposed(&Type()));
  }

  void init() {
    Child<QCheckBox>(Type(), "chShowKB").setChecked(true);
    ResizeTo(Type(), QSize(551, 308));
    QTRY_COMPARE(Type().size(), QSize(551, 308));
    TrayWindow().ChooseLayout(QStringLiteral("Phonetic(Vimra)"));
  }

  void theWindowIsFramelessAtItsDesignSizeAndShape() {
    QVERIFY(Type().windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(Type().size(), QSize(551, 308));
    const QRegion mask = Type().mask();
    QCOMPARE(mask.boundingRect(), QRect(0, 0, 551, 308));
    QVERIFY(!mask.contains(QPoint(0, 0)) && !mask.contains(QPoint(550, 307)));
    QVERIFY(mask.contains(QPoint(10, 0)));
    // After the first layout: Close, Minimise, Move, Help, Font from the right.
    const int closeLeft = Control("imgClose").x();
    QCOMPARE(closeLeft, 534);
    QCOMPARE(Control("imgMin").x(), 520);
    QCOMPARE(Control("imgMove").x(), 506);
    QCOMPARE(Control("imgHelp").x(), 492);
    QCOMPARE(Control("imgFont").x(), 478);
    QCOMPARE(Control("imgSize").geometry(), QRect(533, 294, 13, 12));
    QCOMPARE(Control("lblTitle").width(), 551);
    QCOMPARE(Control("picKB").geometry(), QRect(22, 153, 497, 153));
    // The maintenance button keeps its design place, out of sight.
    QCOMPARE(Control("Command1").geometry(), QRect(468, 72, 45, 21));
    QVERIFY(Control("Command1").isHidden());
    QCOMPARE(Control("imgSize").cursor().shape(), Qt::SizeFDiagCursor);
    QCOMPARE(Control("imgMove").cursor().shape(), Qt::SizeAllCursor);
  }

  void wideningMovesTheRightHandSideAndHalfMovesTheKeyboard() {
    const int box = Control("txtType").width();
    const int list = Control("lstCustomWords").x();
    const int tools = Control("picTools").x();
    const int keys = Control("picKB").x();
    ResizeTo(Type(), QSize(651, 308));
    QTRY_COMPARE(Type().width(), 651);
    QCOMPARE(Control("txtType").width(), box + 100);
    QCOMPARE(Control("lstCustomWords").x(), list + 100);
    QCOMPARE(Control("picTools").x(), tools + 100);
    QCOMPARE(Control("imgClose").x(), 634);
    QCOMPARE(Control("picKB").x(), keys + 50);
    QCOMPARE(Type().mask().boundingRect(), QRect(0, 0, 651, 308));
  }

  void tooSmallSnapsBackToTheMinimum() {
    ResizeTo(Type(), QSize(300, 100));
    QTRY_COMPARE(Type().size(), QSize(537, 220));
    QCOMPARE(Bottom(Control("txtType")), Control("picKB").y() - 4);
    Child<QCheckBox>(Type(), "chShowKB").setChecked(false);
    ResizeTo(Type(), QSize(300, 50));
    QTRY_COMPARE(Type().size(), QSize(537, 80));
    // Showing the keyboard again in a low window grows it.
    Child<QCheckBox>(Type(), "chShowKB").setChecked(true);
    QTRY_COMPARE(Type().size(), QSize(537, 220));
  }

  void hidingTheKeyboardLetsTheBoxReachTheBottom() {
    auto& show = Child<QCheckBox>(Type(), "chShowKB");
    QTest::mouseClick(&show, Qt::LeftButton);
    QVERIFY(!show.isChecked());
    QVERIFY(Control("picKB").isHidden());
    QCOMPARE(Type().size(), QSize(551, 308));
    QCOMPARE(Bottom(Control("txtType")), 308 - 4);
    QCOMPARE(Control("lstCustomWords").height(), Control("txtType").height());
    QTest::mouseClick(&show, Qt::LeftButton);
    QVERIFY(!Control("picKB").isHidden());
    QCOMPARE(Bottom(Control("txtType")), Control("picKB").y() - 4);
  }

  void theGripGrowsTheWindowByItsTravel() {
    QWidget& grip = Control("imgSize");
    const QPoint at = grip.mapToGlobal(QPoint(5, 5));
    Send(&grip, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    Send(&grip, QEvent::MouseButtonRelease, at + QPoint(20, 10), Qt::LeftButton, Qt::NoButton);
    QTRY_COMPARE(Type().size(), QSize(571, 318));
    // Up and left past the minimum: the window comes back to it.
    const QPoint from = Control("imgSize").mapToGlobal(QPoint(5, 5));
    Send(&grip, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Send(&grip, QEvent::MouseButtonRelease, from - QPoint(200, 200), Qt::LeftButton, Qt::NoButton);
    QTRY_COMPARE(Type().size(), QSize(537, 220));
  }

  void theTitleBandMovesTheWindowWhileTheButtonIsHeld() {
    QWidget& band = Control("lblTitle");
    const QPoint start = Type().pos();
    const QPoint at = band.mapToGlobal(QPoint(200, 8));
    Send(&band, QEvent::MouseMove, at + QPoint(30, 30), Qt::NoButton, Qt::NoButton);
    QCOMPARE(Type().pos(), start);
    Send(&band, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    Send(&band, QEvent::MouseMove, at + QPoint(25, 15), Qt::NoButton, Qt::LeftButton);
    Send(&band, QEvent::MouseButtonRelease, at + QPoint(25, 15), Qt::LeftButton, Qt::NoButton);
    QTRY_COMPARE(Type().pos(), start + QPoint(25, 15));
    Type().move(start);
  }

  void theFontImageStepsAndWrapsAndTheListFollows() {
    QWidget& image = Control("imgFont");
    auto& box = Control("txtType");
    auto& list = Control("lstCustomWords");
    QCOMPARE(box.font().pointSizeF(), 12.0);
    ReleaseOn(&image, Qt::LeftButton);
    QCOMPARE(box.font().pointSizeF(), 13.0);
    QCOMPARE(list.font().pointSizeF(), 13.0);
    for (int i = 0; i < 15; ++i) ReleaseOn(&image, Qt::LeftButton);
    QCOMPARE(box.font().pointSizeF(), 28.0);
    ReleaseOn(&image, Qt::LeftButton);
    QCOMPARE(box.font().pointSizeF(), 8.0);
    ReleaseOn(&image, Qt::RightButton);
    QCOMPARE(box.font().pointSizeF(), 28.0);
    ReleaseOn(&image, Qt::MiddleButton);
    QCOMPARE(box.font().pointSizeF(), 27.0);
    QCOMPARE(list.font().pointSizeF(), 27.0);
    QFont font = box.font();
    font.setPointSizeF(12);
    box.setFont(font);
    list.setFont(font);
  }

  void captionsFollowEveryLayout() {
    for (const char* name :
         {"Remington", "Inscript", "IntelligentRoman", "Phonetic", "Phonetic(Vimra)"}) {
      TrayWindow().ChooseLayout(QString::fromLatin1(name));
      const auto layout = MakeLayout(QString::fromLatin1(name).toStdU16String());
      for (int code = 33; code <= 126; ++code)
        QCOMPARE(Hex(Keys().Caption(code)), Hex(Q(std::u16string(layout->Caption(code)))));
      QCOMPARE(Keys().LayoutList()->currentText(), QString::fromLatin1(name));
    }
  }

  void aScriptChoiceMakesPhoneticCurrentUntilThePhoneticEntryResetsIt() {
    QMenu& menu = TrayWindow().LayoutMenu();
    QComboBox* scripts = Keys().OutputScriptList();
    scripts->setCurrentIndex(scripts->findText("Bangla"));
    emit scripts->textActivated(QStringLiteral("Bangla"));
    QCOMPARE(Q(Type().CurrentLayout().Name()), QStringLiteral("Phonetic"));
    QCOMPARE(Child<QLabel>(Type(), "lblLayout").text(), QStringLiteral("Phonetic"));
    QVERIFY(Child<QAction>(menu, "mnuLayoutPhonetic").isChecked());
    QVERIFY(!Child<QAction>(menu, "mnuLayoutPhoneticVimra").isChecked());
    QCOMPARE(Hex(Keys().Caption('k')), Hex(Q(u"\u0995")));

    Child<QAction>(menu, "mnuLayoutPhonetic").trigger();
    QCOMPARE(Hex(Keys().Caption('k')), Hex(Q(u"\u0915")));
    QCOMPARE(scripts->currentText(), QStringLiteral("Bangla"));

    // With Phonetic current, Gujarati types and shows its own letters.
    emit scripts->textActivated(QStringLiteral("Gujarati"));
    QCOMPARE(Hex(Keys().Caption('k')), Hex(Q(u"\u0A95")));
    QCOMPARE(Child<QLabel>(Type(), "lblLayout").text(), QStringLiteral("Phonetic"));
  }

  void theLayoutListChoosesAsTheMenuDoes() {
    QComboBox* list = Keys().LayoutList();
    QCOMPARE(list->currentIndex(), 0);
    emit list->textActivated(QStringLiteral("Remington"));
    QCOMPARE(Q(Type().CurrentLayout().Name()), QStringLiteral("Remington"));
    QCOMPARE(Child<QLabel>(Type(), "lblLayout").text(), QStringLiteral("Remington"));
    int checked = 0;
    for (QAction* entry : TrayWindow().LayoutMenu().actions()) checked += entry->isChecked();
    QCOMPARE(checked, 1);
    QVERIFY(Child<QAction>(TrayWindow().LayoutMenu(), "mnuLayoutRemington").isChecked());
    QCOMPARE(Hex(Keys().Caption('k')),
             Hex(Q(std::u16string(MakeLayout(kRemingtonLayout)->Caption('k')))));
  }

  void aKeyTypesItsCaptionPastTheEngine() {
    TypeBox& box = Type().txtType();
    box.setPlainText(QStringLiteral("ab"));
    QTextCursor cursor = box.textCursor();
    cursor.setPosition(1);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    box.setTextCursor(cursor);
    Type().Core().Engine().State() = TypingState{};
    QTest::mouseClick(Keys().OutputLabel('k'), Qt::LeftButton);
    QCOMPARE(Hex(box.toPlainText()), Hex(Q(u"a\u0915")));
    QCOMPARE(box.textCursor().position(), 2);
    QTest::mouseClick(Keys().LatinLabel('k'), Qt::LeftButton);
    QCOMPARE(Hex(box.toPlainText()), Hex(Q(u"a\u0915k")));
    // No word was started: the suggestions know nothing of it.
    QVERIFY(Type().Core().Engine().State().WordPrefix.empty());
    // Key colours come from the window's colour step.
    QCOMPARE(Keys().OutputLabel('k')->Background(), Type().KeyBackColor);
    box.clear();
  }

  void everyControlHasAName() {
    for (QWidget* window :
         {static_cast<QWidget*>(&Type()), static_cast<QWidget*>(WordsWindowSlot().Find())}) {
      for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->objectName().isEmpty() || child->objectName().startsWith("qt_")) continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(child);
        QVERIFY2(a && !a->text(QAccessible::Name).isEmpty(), qPrintable(child->objectName()));
      }
    }
    QCOMPARE(Control("chKB").accessibleName(), QStringLiteral("Enable Unicode Typing"));
    QCOMPARE(Control("imgClose").accessibleName(), QStringLiteral("Close Lekhora"));
  }

  void thePopupsRowsHoldWholeLettersAtEveryFontSize() {
    FrmWords& words = *WordsWindowSlot().Find();
    // A long vowel sign below, candrabindu above it, and ai with its nasal sign.
    const std::u16string tall = u"\u0939\u0942\u0901\u0939\u0948\u0902";
    const QColor tipBack(255, 192, 128);
    const QColor mainBack(76, 147, 233);
    QWidget& image = Control("imgFont");
    for (int step = 0; step < 21; ++step) {
      // Each row alone: its letters are whole and stay clear of the next row's.
      CandidatePage rows;
      rows.Words = {tall};
      words.ShowCandidates(rows);
      const Ink first = InkOf(*words.lblTip(), tipBack);
      rows.Words = {u"", tall};
      words.ShowCandidates(rows);
      const Ink second = InkOf(*words.lblTip(), tipBack);
      QVERIFY(!first.Empty() && !second.Empty());
      QVERIFY2(
          first.Top > 0,
          qPrintable(
              QStringLiteral("the first row is cut: ink %1-%2").arg(first.Top).arg(first.Bottom)));
      QVERIFY2(first.Bottom < second.Top,
               qPrintable(QStringLiteral("rows run into each other: %1-%2 and %3-%4")
                              .arg(first.Top)
                              .arg(first.Bottom)
                              .arg(second.Top)
                              .arg(second.Bottom)));
      // The current suggestion holds its letters whole, over its own row.
      words.SetMainCaption(u" " + tall);
      const Ink main = InkOf(*words.lblMain(), mainBack);
      QVERIFY(!main.Empty());
      QVERIFY2(main.Top > 0 && main.Bottom < words.lblMain()->height() - 1,
               "the current suggestion's signs are cut");
      QVERIFY(words.lblMain()->y() > second.Bottom);
      ReleaseOn(&image, Qt::LeftButton);
    }
    QFont font = Control("txtType").font();
    font.setPointSizeF(12);
    Control("txtType").setFont(font);
    Control("lstCustomWords").setFont(font);
  }

  void theLayoutListsShowWholeNames() {
    for (QComboBox* combo : {Keys().LayoutList(), Keys().OutputScriptList()}) {
      auto* list = static_cast<NameList*>(combo);
      const int before = list->currentIndex();
      for (int i = 0; i < list->count(); ++i) {
        list->setCurrentIndex(i);
        const QString name = list->itemText(i);
        const QString shown = list->ShownCaption();
        // Whole, or visibly cut with the whole name in the tooltip.
        QVERIFY2(
            shown == name || (shown.endsWith(QChar(0x2026)) && name.startsWith(shown.chopped(1))),
            qPrintable(name + QStringLiteral(" shown as ") + shown));
        QVERIFY(list->fontMetrics().horizontalAdvance(shown) < list->width());
        QCOMPARE(list->toolTip(), name);
      }
      // Open, every name fits the list.
      list->showPopup();
      QWidget* open = list->view()->window();
      QTRY_VERIFY(open->isVisible());
      const QFontMetrics metrics(list->view()->font());
      for (int i = 0; i < list->count(); ++i)
        QVERIFY(list->view()->viewport()->width() > metrics.horizontalAdvance(list->itemText(i)));
      list->hidePopup();
      list->setCurrentIndex(before);
    }
    QCOMPARE(Keys().LayoutList()->itemText(0), QStringLiteral("Phonetic(Vimra)"));
  }

  void aMessageStaysWhenAnotherWindowIsActivated() {
    Type().ShowStatus(QStringLiteral("\"x\" is now one of your words."));
    QLabel* tip = nullptr;
    QTRY_VERIFY((tip = Type().findChild<QLabel*>(QStringLiteral("statusTip"))) != nullptr &&
                tip->isVisible());
    QCOMPARE(tip->text(), QStringLiteral("\"x\" is now one of your words."));
    // The focus coming back from a closed menu activates a window.
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    Type().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&Type()));
    QTest::qWait(100);
    QVERIFY(tip->isVisible());
    // It goes by itself after its time.
    QTRY_VERIFY_WITH_TIMEOUT(!tip->isVisible(), 7000);
  }

  void thePopupHasAFloorAndNamesEachSuggestion() {
    FrmWords& words = *WordsWindowSlot().Find();
    QVERIFY(words.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(words.size(), QSize(210, 104));
    QCOMPARE(Child<QWidget>(words, "imgClose").x(), 210 - 13 - 2);
    ResizeTo(words, QSize(100, 20));
    QTRY_COMPARE(words.size(), QSize(167, 53));
    QCOMPARE(words.lblTip()->size(), QSize(167, 53));
    QCOMPARE(words.lblMain()->width(), 167);
    QCOMPARE(Child<QWidget>(words, "imgSize").y(), 53 - 12 - 2);
    QCOMPARE(words.mask().boundingRect(), QRect(0, 0, 167, 53));
    words.SetMainCaption(u"\u0915\u092E");
    QCOMPARE(words.lblMain()->accessibleName(), Q(u"\u0915\u092E"));
    words.SetMainCaption(u"");
    QCOMPARE(words.lblMain()->accessibleName(), QStringLiteral("No suggestion"));
    ResizeTo(words, QSize(210, 104));
  }
};

int main(int argc, char** argv) {
  FrmTypeChromeTest test;
  return RunPadTests(argc, argv, {&test});
}

#include "frm_type_chrome_test.moc"
