// The help window reads its file once per load; the About window shows its
// fixed text. Both unload when closed.

#include <sys/stat.h>

#include <QFile>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>

#include "ui/kit/window_helpers.h"
#include "ui/shell/about_text.h"
#include "ui/shell/frm_about.h"
#include "ui/shell/frm_help_type.h"

using namespace lekhora;

namespace {

// The help file is UTF-16LE without a byte-order mark.
void WriteHelp(const QTemporaryDir& dir, const std::u16string& text) {
  QFile file(dir.filePath("helpVimraPhonetic.txt"));
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QByteArray bytes;
  for (char16_t unit : text) {
    bytes.append(static_cast<char>(unit & 0xFF));
    bytes.append(static_cast<char>(unit >> 8));
  }
  file.write(bytes);
}

std::filesystem::path Folder(const QTemporaryDir& dir) {
  return std::filesystem::path(dir.path().toStdString());
}

int Caret(FrmHelpType* help) {
  return help->txtHelp()->textCursor().position();
}

void FinishDeletes() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

class HelpAboutTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    UnloadHelpWindow();
    UnloadAboutWindow();
  }

  void windowsOpenWhollyOnTheirScreen() {
    KeepWindowsOnScreen();
    QTemporaryDir dir;
    WriteHelp(dir, u"help");
    QWidget owner;
    owner.show();
    const QRect screen = owner.screen()->availableGeometry();
    FrmHelpType* help = HelpWindow(&owner, Folder(dir));
    // Placed partly below the screen's bottom, as a window manager put it.
    help->move(screen.x() + 40, screen.bottom() - help->height() / 2);
    help->show();
    QTRY_VERIFY(screen.contains(help->frameGeometry()));
    // The window manager moves it there after it has opened: it comes back.
    help->move(screen.right() - help->width() / 3, screen.y() + 10);
    QTRY_VERIFY(screen.contains(help->frameGeometry()));
    QCOMPARE(help->y(), screen.y() + 10);
    // Moved by the user later, it stays where it was put.
    QTest::qWait(1700);
    help->move(screen.x() + 40, screen.bottom() - 20);
    QTest::qWait(50);
    QCOMPARE(help->pos(), QPoint(screen.x() + 40, screen.bottom() - 20));
  }

  void helpShowsTheFileAboveItsOwnerWithTheCaretAtTwo() {
    QTemporaryDir dir;
    // "kh" then a Devanagari line.
    WriteHelp(dir, u"kh = \u0916\r\nka = \u0915");
    QWidget owner;
    FrmHelpType* help = HelpWindow(&owner, Folder(dir));
    QCOMPARE(help->parentWidget(), &owner);
    QVERIFY(help->isWindow());
    QCOMPARE(help->windowTitle(), QStringLiteral("Help"));
    QCOMPARE(help->size(), QSize(487, 276));
    QCOMPARE(help->txtHelp()->objectName(), QStringLiteral("txtHelp"));
    QCOMPARE(help->txtHelp()->geometry(), QRect(0, 0, 485, 273));
    QCOMPARE(help->txtHelp()->font().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(help->txtHelp()->font().pointSizeF(), 14.25);
    QCOMPARE(help->txtHelp()->toPlainText(),
             QString::fromStdU16String(u"kh = \u0916\nka = \u0915"));
    QCOMPARE(Caret(help), 2);
  }

  void openingTwiceShowsTheSameWindowWithoutRereading() {
    QTemporaryDir dir;
    WriteHelp(dir, u"first text");
    QWidget owner;
    FrmHelpType* help = HelpWindow(&owner, Folder(dir));
    WriteHelp(dir, u"edited text");
    QCOMPARE(HelpWindow(&owner, Folder(dir)), help);
    QCOMPARE(help->txtHelp()->toPlainText(), QStringLiteral("first text"));
  }

  void closingUnloadsSoTheNextOpeningReadsTheEditedFile() {
    QTemporaryDir dir;
    WriteHelp(dir, u"first text");
    QWidget owner;
    QPointer<FrmHelpType> help = HelpWindow(&owner, Folder(dir));
    help->show();
    WriteHelp(dir, u"edited text");
    QVERIFY(help->close());
    QCOMPARE(LoadedHelpWindow(), nullptr);
    // Opened again before the old window is gone: still a fresh load.
    FrmHelpType* again = HelpWindow(&owner, Folder(dir));
    QVERIFY(again != help.data());
    QCOMPARE(again->txtHelp()->toPlainText(), QStringLiteral("edited text"));
    FinishDeletes();
    QVERIFY(help.isNull());
    QCOMPARE(LoadedHelpWindow(), again);
  }

  void shortOrMissingFilesStillOpen() {
    QTemporaryDir dir;
    QWidget owner;
    // Missing: opens empty, and nothing is created in the program's folder,
    // which the pad only ever reads.
    FrmHelpType* help = HelpWindow(&owner, Folder(dir));
    QVERIFY(std::filesystem::is_empty(Folder(dir)));
    QCOMPARE(help->txtHelp()->toPlainText(), QString());
    QCOMPARE(Caret(help), 0);
    UnloadHelpWindow();
    QCOMPARE(LoadedHelpWindow(), nullptr);

    WriteHelp(dir, u"\u0915");
    help = HelpWindow(&owner, Folder(dir));
    QCOMPARE(help->txtHelp()->toPlainText(), QString(QChar(0x0915)));
    QCOMPARE(Caret(help), 1);
    UnloadHelpWindow();

    // A line break right after the first character: the caret stays on line one.
    WriteHelp(dir, u"a\r\nb");
    help = HelpWindow(&owner, Folder(dir));
    QCOMPARE(help->txtHelp()->toPlainText(), QStringLiteral("a\nb"));
    QCOMPARE(Caret(help), 1);
  }

  void helpFileThatIsNoRegularFileOpensEmpty() {
    // A FIFO would block the window's load until a writer came; a device would
    // be read without end. Both count as unreadable.
    QTemporaryDir dir;
    const std::filesystem::path help = Folder(dir) / "helpVimraPhonetic.txt";
    QCOMPARE(::mkfifo(help.c_str(), 0600), 0);
    QWidget owner;
    QCOMPARE(HelpWindow(&owner, Folder(dir))->txtHelp()->toPlainText(), QString());
    UnloadHelpWindow();
    std::filesystem::remove(help);
    std::filesystem::create_symlink("/dev/zero", help);
    QCOMPARE(HelpWindow(&owner, Folder(dir))->txtHelp()->toPlainText(), QString());
    UnloadHelpWindow();
    // Without a program folder nothing is read and nothing created.
    QCOMPARE(HelpWindow(&owner, {})->txtHelp()->toPlainText(), QString());
  }

  void theHelpWindowGoesWithItsOwner() {
    QTemporaryDir dir;
    auto* owner = new QWidget;
    HelpWindow(owner, Folder(dir));
    delete owner;
    QCOMPARE(LoadedHelpWindow(), nullptr);
  }

  void displayKeepsLineBreaksOfEveryKind() {
    QCOMPARE(DisplayText(u"a\r\nb\rc\nd"), QStringLiteral("a\nb\nc\nd"));
    const std::u16string text = u"ab\r\ncd\r\n";
    QCOMPARE(DisplayPosition(text, 2), 2);
    QCOMPARE(DisplayPosition(text, 4), 3);
    QCOMPARE(DisplayPosition(text, 8), 6);
    QCOMPARE(DisplayPosition(text, 99), 6);
    QCOMPARE(DisplayPosition(text, -1), 0);
  }

  void aboutHasNoOwnerAndShowsTheFixedText() {
    FrmAbout* about = AboutWindow();
    QCOMPARE(about->parentWidget(), nullptr);
    QCOMPARE(AboutWindow(), about);
    QCOMPARE(about->windowTitle(), QStringLiteral("Lekhora by Vimra's Dravik"));
    QCOMPARE(about->size(), QSize(470, 364));
    QPlainTextEdit* text = about->txtHellp();
    QCOMPARE(text->objectName(), QStringLiteral("txtHellp"));
    QVERIFY(text->isReadOnly());
    QCOMPARE(text->palette().color(QPalette::Base), QColor(228, 238, 252));
    const QString shown = text->toPlainText();
    QVERIFY(!shown.contains(QChar(u'\r')));
    for (const char* line : {"Remington", "Phonetic (Vimra) - the default", "Phonetic", "Inscript",
                             "Words Suggestions", "Right Toolbar", "1 Copy ALL text",
                             "2 Paste clipboard text", "3 Select ALL text"})
      QVERIFY2(shown.split(QChar(u'\n')).contains(QString::fromUtf8(line)), line);
    QVERIFY(about->close());
    QCOMPARE(LoadedAboutWindow(), nullptr);
  }

  void aboutTextSeparatesLinesWithCrLf() {
    for (std::size_t i = 0; i < kAboutText.size(); ++i) {
      if (kAboutText[i] == u'\n') QVERIFY(i > 0 && kAboutText[i - 1] == u'\r');
      if (kAboutText[i] == u'\r') QVERIFY(i + 1 < kAboutText.size() && kAboutText[i + 1] == u'\n');
    }
  }
};

QTEST_MAIN(HelpAboutTest)
#include "help_about_test.moc"
