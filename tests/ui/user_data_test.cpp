// What the pad keeps in the user's folders, through the real start-up and
// the tray's Exit: the user's words edited from the menus, the settings and
// the text as they were left, damaged files and a folder that cannot be
// written. The test has a home of its own; each case starts from an empty
// one unless it says otherwise.

#include <sys/stat.h>
#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "app/frm_splash.h"
#include "base/folder_lock.h"
#include "base/utf16.h"
#include "engine/layout.h"
#include "suggest/user_words.h"
#include "tests/support/pad_session.h"
#include "tests/support/pad_test_main.h"
#include "tests/support/qt_test_support.h"
#include "tests/support/user_folders.h"
#include "ui/shell/frm_tray.h"
#include "ui/shell/windows.h"
#include "ui/typing/frm_type.h"
#include "ui/typing/frm_words.h"
#include "ui/typing/keyboard_panel.h"
#include "ui/typing/pad_memory.h"
#include "ui/typing/pad_settings.h"
#include "ui/typing/type_box.h"
#include "ui/typing/typing_core.h"
#include "userdata/user_file.h"

using namespace lekhora;
using namespace lekhora::testing;
namespace fs = std::filesystem;

namespace {

#define COMPARE_TEXT(actual, expected) QCOMPARE(Hex(actual), Hex(expected))

const PrivateUserFolders* g_home = nullptr;
QStringList& g_entries = LastMenu().Entries;
QStringList& g_captions = LastMenu().Captions;
QString& g_question = LastQuestion();

FrmType& Type() {
  return TypeWindow();
}
TypeBox& Box() {
  return Type().txtType();
}
QListWidget& Words() {
  return Child<QListWidget>(Type(), "lstCustomWords");
}

QByteArray Utf16(std::u16string_view text) {
  const std::vector<std::uint8_t> bytes = Utf16ToBytes(text);
  return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
}

fs::path WordsFile() {
  return g_home->DataFolder() / "customwords.txt";
}
fs::path TextFile() {
  return g_home->DataFolder() / kTextFile;
}
fs::path SettingsFile() {
  return g_home->ConfigFolder() / kSettingsFile;
}
fs::path ShippedWords() {
  return PathOf(QCoreApplication::applicationDirPath()) / "customwords.txt";
}

QStringList WordsOf(const QByteArray& bytes) {
  const UserWords list =
      UserWords::FromBytes(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  QStringList words;
  for (const std::u16string& word : list.Words()) words << Q(word);
  return words;
}

QStringList ShippedWordList() {
  return WordsOf(Read(ShippedWords()));
}

QStringList ShownWords() {
  QStringList words;
  for (int i = 0; i < Words().count(); ++i) words << Words().item(i)->text();
  return words;
}

QStringList FilesIn(const fs::path& folder) {
  QStringList names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec))
    names << QString::fromStdString(entry.path().filename().string());
  names.sort();
  return names;
}

void ForgetEverything() {
  lekhora::testing::ForgetEverything(*g_home);
}

void OpenTextMenu() {
  emit Box().customContextMenuRequested(QPoint(5, 5));
}
void OpenWordMenu(int row) {
  emit Words().customContextMenuRequested(Words().visualItemRect(Words().item(row)).center());
}

void Select(int from, int to) {
  QTextCursor cursor = Box().textCursor();
  cursor.setPosition(from);
  cursor.setPosition(to, QTextCursor::KeepAnchor);
  Box().setTextCursor(cursor);
}

QString TitleTip() {
  return Child<QLabel>(Type(), "lblTitle").toolTip();
}

}  // namespace

class UserDataTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ForgetEverything(); }
  void cleanupTestCase() { ForgetEverything(); }

  void theFirstStartCopiesTheShippedWordsIntoTheUserFolder();
  void wordsAreAddedAndRemovedFromTheMenus();
  void anOverlongLineStaysInTheFileButNotInTheListBox();
  void theTextMenuHasTheEditActionsAndClearingAsksFirst();
  void theTextIsSavedAMomentAfterAChangeAndAtExit();
  void aRestartFindsEverythingAsItWasLeft();
  void intelligentRomanIsRememberedWithTheSettings();
  void aPlaceOffEveryScreenFallsBackToTheCentre();
  void damagedFilesGiveTheDefaultsAndAreNeverOverwritten();
  void aFolderThatCannotBeWrittenLeavesThePadWorking();
  void aLongListChangesOneRowAtATime();
  void settingsThatAreNotThePadsAreSetAsideAndLinksOutLeftAlone();
  void theFilesAreTheUsersAloneWhateverTheUmask();
  void anotherPadHoldingTheDataFolderMeansNoSavedText();
};

void UserDataTest::theFirstStartCopiesTheShippedWordsIntoTheUserFolder() {
  const QByteArray shipped = Read(ShippedWords());
  QVERIFY(!shipped.isEmpty());
  QVERIFY(!fs::exists(WordsFile()));
  StartPad();
  QCOMPARE(Read(WordsFile()), shipped);
  QVERIFY(Words().count() > 0);
  QCOMPARE(ShownWords(), ShippedWordList());
  QVERIFY(TitleTip().isEmpty());
  ExitPad();
  // The program's own copy stays as it was shipped.
  QCOMPARE(Read(ShippedWords()), shipped);
}

void UserDataTest::wordsAreAddedAndRemovedFromTheMenus() {
  StartPad();
  const QStringList shipped = ShownWords();
  const QByteArray before = Read(WordsFile());
  // "nam" types NA AA MA: the word at the caret.
  QTest::keyClicks(&Box(), QStringLiteral("nam"));
  const QString word = Q(u"\u0928\u093E\u092E");
  ChooseInNextMenu(QStringLiteral("mnuAddWord"));
  OpenTextMenu();
  QVERIFY(g_captions.contains(QStringLiteral("Add \"%1\" to my words").arg(word)));
  QCOMPARE(ShownWords(), shipped + QStringList{word});
  QCOMPARE(Words().currentItem()->text(), word);
  QCOMPARE(Read(WordsFile()), before + Utf16(u"\r\n" + word.toStdU16String()));
  QVERIFY(Type().StatusText().contains(word));

  // Refused: already there, nothing at the caret, more than a line.
  ChooseInNextMenu(QStringLiteral("mnuAddWord"));
  OpenTextMenu();
  QCOMPARE(Type().StatusText(), QStringLiteral("\"%1\" is already one of your words.").arg(word));
  Box().setPlainText(QStringLiteral("x \ny"));
  Select(2, 2);
  ChooseInNextMenu(QStringLiteral("mnuAddWord"));
  OpenTextMenu();
  QVERIFY(g_captions.contains(QStringLiteral("Add \"") + QChar(0x2026) + "\" to my words"));
  QVERIFY(Type().StatusText().startsWith(QStringLiteral("Nothing to add")));
  Select(0, 4);
  ChooseInNextMenu(QStringLiteral("mnuAddWord"));
  OpenTextMenu();
  QVERIFY(Type().StatusText().contains(QStringLiteral("line break")));
  Box().setPlainText(QString(static_cast<qsizetype>(kMaxUserWordUnits + 1), QChar(u'x')));
  Box().selectAll();
  ChooseInNextMenu(QStringLiteral("mnuAddWord"));
  OpenTextMenu();
  QVERIFY(Type().StatusText().contains(QStringLiteral("at most 1000 characters")));
  QCOMPARE(ShownWords(), shipped + QStringList{word});
  QCOMPARE(Read(WordsFile()), before + Utf16(u"\r\n" + word.toStdU16String()));

  // A selected word of two parts is one entry.
  Box().setPlainText(QStringLiteral("  new words "));
  Box().selectAll();
  ChooseInNextMenu(QStringLiteral("mnuAddWord"));
  OpenTextMenu();
  QCOMPARE(ShownWords().last(), QStringLiteral("new words"));

  // Removing takes the word the menu was opened on, from the list and the file.
  ChooseInNextMenu(QStringLiteral("mnuRemoveWord"));
  OpenWordMenu(0);
  QCOMPARE(g_entries, QStringList{"mnuRemoveWord"});
  QCOMPARE(ShownWords(), shipped.mid(1) + QStringList({word, "new words"}));
  QVERIFY(Type().StatusText().contains(shipped[0]));
  const QStringList saved = WordsOf(Read(WordsFile()));
  QCOMPARE(saved, ShownWords());

  // The next start shows the list as it was left.
  ExitPad();
  StartPad();
  QCOMPARE(ShownWords(), saved);
  ExitPad();
}

void UserDataTest::anOverlongLineStaysInTheFileButNotInTheListBox() {
  // A pasted text without line breaks as one line would be laid out whole at
  // every repaint of the list box.
  const std::u16string longLine(kMaxUserWordUnits + 1, u'x');
  Write(WordsFile(), Utf16(u"header\r\na\r\n" + longLine + u"\r\nb\r\nc"));
  StartPad();
  QCOMPARE(ShownWords(), (QStringList{"a", "b", "c"}));
  // Removing the word after it takes that word, not its neighbour in the file.
  ChooseInNextMenu(QStringLiteral("mnuRemoveWord"));
  OpenWordMenu(1);
  QCOMPARE(ShownWords(), (QStringList{"a", "c"}));
  QCOMPARE(Read(WordsFile()), Utf16(u"header\r\na\r\n" + longLine + u"\r\nc"));
  ExitPad();
}

void UserDataTest::theTextMenuHasTheEditActionsAndClearingAsksFirst() {
  StartPad();
  Box().setPlainText(QStringLiteral("abc"));
  Select(0, 2);
  ChooseInNextMenu(QStringLiteral("mnuCopy"));
  OpenTextMenu();
  QCOMPARE(g_entries, (QStringList{"mnuUndo", "mnuRedo", "-", "mnuCut", "mnuCopy", "mnuPaste", "-",
                                   "mnuSelectAll", "-", "mnuMostUsed", "mnuLearnWords",
                                   "mnuClearHistory", "-", "mnuAddWord", "mnuClearText"}));
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("ab"));
  ChooseInNextMenu(QStringLiteral("mnuSelectAll"));
  OpenTextMenu();
  QCOMPARE(Box().textCursor().selectedText(), QStringLiteral("abc"));

  // Cancelled, nothing goes; confirmed, everything, and Undo brings it back.
  ChooseInNextMenu(QStringLiteral("mnuClearText"));
  AnswerNextQuestion("btnCancel");
  OpenTextMenu();
  QCOMPARE(g_question, QStringLiteral("Clear all the text?"));
  QCOMPARE(g_captions.last(), QStringLiteral("Clear all text") + QChar(0x2026));
  QCOMPARE(Box().toPlainText(), QStringLiteral("abc"));
  ChooseInNextMenu(QStringLiteral("mnuClearText"));
  AnswerNextQuestion("btnClear");
  OpenTextMenu();
  QCOMPARE(Box().toPlainText(), QString());
  QVERIFY(Type().Core().Engine().State().WordPrefix.empty());
  ChooseInNextMenu(QStringLiteral("mnuUndo"));
  OpenTextMenu();
  QCOMPARE(Box().toPlainText(), QStringLiteral("abc"));
  // The tray menu keeps its three entries.
  QCOMPARE(TrayWindow().MainMenu().actions().size(), 3);
  ExitPad();
}

void UserDataTest::theTextIsSavedAMomentAfterAChangeAndAtExit() {
  StartPad();
  QCOMPARE(Type().Memory().SaveTimer().interval(), 1000);
  QTest::keyClicks(&Box(), QStringLiteral("kh"));
  const QByteArray kha = QStringLiteral("%1\n").arg(QChar(0x0916)).toUtf8();
  // Not at every key, but soon after.
  QVERIFY(Read(TextFile()) != kha);
  QTRY_COMPARE_WITH_TIMEOUT(Read(TextFile()), kha, 3000);
  QTest::keyClicks(&Box(), QStringLiteral(" ka"));
  ExitPad();
  QCOMPARE(QString::fromUtf8(Read(TextFile())), Q(u"\u0916 \u0915\u093E\n"));
  // No temporary is left beside the files.
  QCOMPARE(FilesIn(g_home->DataFolder()),
           (QStringList{".lekhora.lock", "customwords.txt", "history.sqlite", "text.txt"}));
  QCOMPARE(FilesIn(g_home->ConfigFolder()), QStringList{"lekhora.conf"});
}

void UserDataTest::aRestartFindsEverythingAsItWasLeft() {
  StartPad();
  // Chosen as the user chooses: the script list, the check box, the font
  // image, moves and sizes, the popup's close image, typing.
  QComboBox& scripts = *Type().Keyboard().OutputScriptList();
  scripts.setCurrentIndex(scripts.findText(QStringLiteral("Tamil")));
  emit scripts.textActivated(QStringLiteral("Tamil"));
  QTest::mouseClick(&Child<QCheckBox>(Type(), "chShowKB"), Qt::LeftButton);
  for (int i = 0; i < 2; ++i) QTest::mouseClick(&Child<QLabel>(Type(), "imgFont"), Qt::LeftButton);
  Type().move(30, 40);
  Type().resize(600, 150);
  FrmWords& popup = *WordsWindowSlot().Find();
  popup.move(400, 300);
  popup.resize(260, 120);
  QTest::mouseClick(&Child<QLabel>(popup, "imgClose"), Qt::LeftButton);
  QTest::keyClicks(&Box(), QStringLiteral("ab"));
  Box().insertPlainText(QStringLiteral("\n"));
  QTest::keyClicks(&Box(), QStringLiteral("k"));
  const QString text = Box().toPlainText();
  const QRect window = Type().geometry();
  const QRect place = popup.geometry();
  ExitPad();

  StartPad();
  QCOMPARE(Q(Type().CurrentLayout().Name()), QStringLiteral("Phonetic"));
  QCOMPARE(Child<QLabel>(Type(), "lblLayout").text(), QStringLiteral("Phonetic"));
  QVERIFY(Child<QAction>(TrayWindow().LayoutMenu(), "mnuLayoutPhonetic").isChecked());
  QVERIFY(!Child<QAction>(TrayWindow().LayoutMenu(), "mnuLayoutPhoneticVimra").isChecked());
  QCOMPARE(Type().Keyboard().LayoutList()->currentText(), QStringLiteral("Phonetic"));
  QCOMPARE(Type().Keyboard().OutputScriptList()->currentText(), QStringLiteral("Tamil"));
  COMPARE_TEXT(Q(Type().KeyCaption('k')), Q(u"\u0B95"));
  QVERIFY(!Child<QCheckBox>(Type(), "chShowKB").isChecked());
  QVERIFY(Type().Keyboard().isHidden());
  QVERIFY(Child<QCheckBox>(Type(), "chKB").isChecked());
  QCOMPARE(Box().font().pointSizeF(), 14.0);
  QCOMPARE(Words().font().pointSizeF(), 14.0);
  QCOMPARE(Type().geometry(), window);
  FrmWords& again = *WordsWindowSlot().Find();
  QVERIFY(!again.isVisible());
  QCOMPARE(again.geometry(), place);
  QCOMPARE(TrayWindow().HideEntry().text(), QStringLiteral("Hide"));
  COMPARE_TEXT(Box().toPlainText(), text);
  QCOMPARE(Box().textCursor().position(), static_cast<int>(text.size()));
  // Typing goes on in Tamil, at the end.
  QTest::keyClicks(&Box(), QStringLiteral("k"));
  COMPARE_TEXT(Box().toPlainText().right(1), Q(u"\u0B95"));

  // A layout choice ends the script; conversion off and the popup shown
  // again come back too.
  Child<QAction>(TrayWindow().LayoutMenu(), "mnuLayoutInscript").trigger();
  QTest::mouseClick(&Child<QCheckBox>(Type(), "chKB"), Qt::LeftButton);
  TrayWindow().ToggleShowState();
  TrayWindow().ToggleShowState();
  QVERIFY(again.isVisible());
  ExitPad();
  StartPad();
  QCOMPARE(Q(Type().CurrentLayout().Name()), QStringLiteral("Inscript"));
  QVERIFY(Child<QAction>(TrayWindow().LayoutMenu(), "mnuLayoutInscript").isChecked());
  QCOMPARE(Type().Keyboard().OutputScriptList()->currentIndex(), -1);
  QVERIFY(!Child<QCheckBox>(Type(), "chKB").isChecked());
  QVERIFY(WordsWindowSlot().Find()->isVisible());
  ExitPad();
}

void UserDataTest::intelligentRomanIsRememberedWithTheSettings() {
  StartPad();
  Child<QAction>(TrayWindow().LayoutMenu(), "mnuLayoutIR").trigger();
  ExitPad();
  StartPad();
  QCOMPARE(Q(Type().CurrentLayout().Name()), QStringLiteral("IntelligentRoman"));
  QVERIFY(Type().Core().Roman());
  QCOMPARE(Child<QLabel>(Type(), "lblLayout").text(), QStringLiteral("IntelligentRoman"));
  QVERIFY(Child<QAction>(TrayWindow().LayoutMenu(), "mnuLayoutIR").isChecked());
  QVERIFY(!Child<QAction>(TrayWindow().LayoutMenu(), "mnuLayoutPhoneticVimra").isChecked());
  QCOMPARE(Type().Keyboard().LayoutList()->currentText(), QStringLiteral("IntelligentRoman"));
  ExitPad();
}

void UserDataTest::aPlaceOffEveryScreenFallsBackToTheCentre() {
  Write(SettingsFile(), "[window]\nx=5000\ny=-4000\nwidth=551\nheight=308\n");
  StartPad();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  QCOMPARE(Type().geometry().center(), screen.center());
  ExitPad();
}

void UserDataTest::damagedFilesGiveTheDefaultsAndAreNeverOverwritten() {
  struct Case {
    const char* name;
    QByteArray settings, words, text;
    bool setAside;
  };
  QByteArray huge(static_cast<qsizetype>(kUserFileLimit + 1), 'a');
  huge.back() = '\n';
  const QList<Case> cases{
      {"empty", "", "", "", false},
      {"truncated", "[General]\nlayout=Insc", Utf16(u"head\r\nab").chopped(1),
       QByteArray("ab\xE0\xA4"), true},
      {"binary",
       QByteArray("\x7F"
                  "ELF\x02\x01\x00\x00\n",
                  9),
       QByteArray("\x00\x00\x00\x01", 4), QByteArray("\x89PNG\r\n\x1A\n\x00\x00", 10), true},
      {"huge", huge, huge, huge, true},
  };
  const QStringList shipped = ShippedWordList();
  for (const Case& c : cases) {
    ForgetEverything();
    Write(SettingsFile(), c.settings);
    Write(WordsFile(), c.words);
    Write(TextFile(), c.text);
    StartPad();
    // The defaults, and the shipped words.
    QCOMPARE(Q(Type().CurrentLayout().Name()), QStringLiteral("Phonetic(Vimra)"));
    QCOMPARE(Box().toPlainText(), QString());
    QCOMPARE(Box().font().pointSizeF(), 12.0);
    QCOMPARE(ShownWords(), shipped);
    const QStringList notes = TitleTip().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY2(notes.size() >= 1, c.name);
    QVERIFY2(!TitleTip().contains(QStringLiteral("cannot save")), c.name);
    if (c.setAside) {
      // Kept whole beside the file, and named in the title band.
      for (const fs::path& file : {SettingsFile(), WordsFile(), TextFile()}) {
        QStringList aside;
        for (const QString& name : FilesIn(file.parent_path()))
          if (name.startsWith(QString::fromStdString(file.filename().string()) + ".damaged-"))
            aside << name;
        QVERIFY2(aside.size() == 1, c.name);
        QVERIFY2(TitleTip().contains(aside[0]), c.name);
        const QByteArray kept = Read(file.parent_path() / aside[0].toStdString());
        QVERIFY2(kept == (file == SettingsFile() ? c.settings
                          : file == WordsFile()  ? c.words
                                                 : c.text),
                 c.name);
      }
      QCOMPARE(Read(WordsFile()), Read(ShippedWords()));
    } else {
      QCOMPARE(Read(WordsFile()), QByteArray());
      QCOMPARE(Read(TextFile()), QByteArray());
    }
    // The pad goes on, and saves again from here.
    QTest::keyClicks(&Box(), QStringLiteral("k"));
    ExitPad();
    QCOMPARE(QString::fromUtf8(Read(TextFile())), Q(u"\u0915\n"));
    QVERIFY(Read(SettingsFile()).contains("layout=Phonetic(Vimra)"));
  }

  // Not files at all, or not readable: left exactly as they are, never saved.
  const bool superuser = ::geteuid() == 0;
  for (const bool directories : {true, false}) {
    if (!directories && superuser) continue;  // everything is readable to the superuser
    ForgetEverything();
    for (const fs::path& file : {SettingsFile(), WordsFile(), TextFile()}) {
      if (directories) {
        fs::create_directories(file);
      } else {
        Write(file, "x\n");
        fs::permissions(file, fs::perms::none);
      }
    }
    StartPad();
    QCOMPARE(ShownWords(), shipped);
    QCOMPARE(TitleTip().count(QStringLiteral("left as it is")), 2);
    QVERIFY(TitleTip().contains(QStringLiteral("customwords.txt is ")));
    QTest::keyClicks(&Box(), QStringLiteral("k"));
    ChooseInNextMenu(QStringLiteral("mnuAddWord"));
    OpenTextMenu();
    QCOMPARE(ShownWords().last(), Q(u"\u0915"));
    QVERIFY(Type().StatusText().endsWith(QStringLiteral("It is not saved.")));
    ExitPad();
    for (const fs::path& file : {SettingsFile(), WordsFile(), TextFile()}) {
      QCOMPARE(fs::is_directory(file), directories);
      if (!directories) QCOMPARE(fs::file_size(file), 2u);
    }
    QCOMPARE(FilesIn(g_home->DataFolder()).size(), 4);  // and the lock and the history
  }
}

void UserDataTest::aFolderThatCannotBeWrittenLeavesThePadWorking() {
  // A file where the folders would have to be made.
  const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
  const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
  const QString blocked = g_home->Path(QStringLiteral("home/blocked"));
  Write(PathOf(blocked), "not a folder");
  qputenv("XDG_DATA_HOME", QFile::encodeName(blocked + "/share"));
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocked + "/config"));
  StartPad();
  QVERIFY(Words().count() > 0);
  QTest::keyClicks(&Box(), QStringLiteral("nam"));
  ChooseInNextMenu(QStringLiteral("mnuAddWord"));
  OpenTextMenu();
  QCOMPARE(ShownWords().last(), Q(u"\u0928\u093E\u092E"));
  QVERIFY(Type().StatusText().endsWith(QStringLiteral("It is not saved.")));
  QTest::mouseClick(&Child<QLabel>(Type(), "imgFont"), Qt::LeftButton);
  QTest::qWait(1500);
  QTest::keyClicks(&Box(), QStringLiteral("k"));
  QTest::qWait(1500);
  // One warning, however often saving failed.
  QCOMPARE(TitleTip().count(QStringLiteral("cannot save")), 1);
  QCOMPARE(TitleTip(), Child<QLabel>(Type(), "Label3").toolTip());
  QCOMPARE(Box().toPlainText(), Q(u"\u0928\u093E\u092E\u0915"));
  ExitPad();
  QCOMPARE(Read(PathOf(blocked)), QByteArray("not a folder"));
  qputenv("XDG_DATA_HOME", dataHome);
  qputenv("XDG_CONFIG_HOME", configHome);
  QVERIFY(!fs::exists(g_home->DataFolder()));
}

void UserDataTest::aLongListChangesOneRowAtATime() {
  std::u16string list = u"header";
  for (int i = 0; i < 100000; ++i) list += u"\r\nw" + QString::number(i).toStdU16String();
  Write(WordsFile(), Utf16(list));
  StartPad();
  QCOMPARE(Words().count(), 100000);
  QListWidgetItem* first = Words().item(0);
  QListWidgetItem* later = Words().item(60000);

  Box().setPlainText(QStringLiteral("new"));
  ChooseInNextMenu(QStringLiteral("mnuAddWord"));
  OpenTextMenu();
  QCOMPARE(Words().count(), 100001);
  QCOMPARE(Words().item(100000)->text(), QStringLiteral("new"));
  QCOMPARE(Words().currentRow(), 100000);
  // The other rows are the same items: nothing was filled again.
  QCOMPARE(Words().item(0), first);
  QCOMPARE(Words().item(60000), later);
  QCOMPARE(Read(WordsFile()), Utf16(list + u"\r\nnew"));

  ChooseInNextMenu(QStringLiteral("mnuRemoveWord"));
  OpenWordMenu(50000);
  QCOMPARE(Words().count(), 100000);
  QCOMPARE(Words().item(50000)->text(), QStringLiteral("w50001"));
  QCOMPARE(Words().item(59999), later);
  QCOMPARE(Words().item(0), first);
  const std::u16string without = list.substr(0, list.find(u"\r\nw50000\r\n")) +
                                 list.substr(list.find(u"\r\nw50001\r\n")) + u"\r\nnew";
  QCOMPARE(Read(WordsFile()), Utf16(without));
  // The row below now stands for the next word, in the file as well.
  ChooseInNextMenu(QStringLiteral("mnuRemoveWord"));
  OpenWordMenu(50000);
  QCOMPARE(Words().item(50000)->text(), QStringLiteral("w50002"));
  QVERIFY(!Read(WordsFile()).contains(Utf16(u"\r\nw50001\r\n")));
  ExitPad();
}

void UserDataTest::settingsThatAreNotThePadsAreSetAsideAndLinksOutLeftAlone() {
  const QByteArray prose = "Dear diary,\ntoday I typed.\nlayout=Inscript\n";
  Write(SettingsFile(), prose);
  StartPad();
  QVERIFY(TitleTip().contains(QStringLiteral("lekhora.conf was not a settings file")));
  QTest::mouseClick(&Child<QLabel>(Type(), "imgFont"), Qt::LeftButton);
  ExitPad();
  QStringList aside = FilesIn(g_home->ConfigFolder()).filter(QStringLiteral(".damaged-"));
  QCOMPARE(aside.size(), 1);
  QCOMPARE(Read(g_home->ConfigFolder() / aside[0].toStdString()), prose);
  QVERIFY(ParseSettingsFile(Read(SettingsFile()).toStdString()).has_value());

  // However many unknown keys, what the pad writes it reads again.
  ForgetEverything();
  QByteArray many;
  while (many.size() < static_cast<qsizetype>(kUserFileLimit) - 64)
    many += "key" + QByteArray::number(many.size()) + "=\"a,b\"\n";
  Write(SettingsFile(), many);
  StartPad();
  QVERIFY(TitleTip().isEmpty());
  QTest::mouseClick(&Child<QLabel>(Type(), "imgFont"), Qt::LeftButton);
  ExitPad();
  QVERIFY(Read(SettingsFile()).size() < 1000);
  StartPad();
  QVERIFY(TitleTip().isEmpty());
  QCOMPARE(Box().font().pointSizeF(), 13.0);
  ExitPad();

  // A link to a file elsewhere: the file is never written, and the pad says so.
  ForgetEverything();
  const fs::path outside = g_home->Fs(QStringLiteral("home/outside.txt"));
  Write(outside, "mine\n");
  fs::create_directories(g_home->ConfigFolder());
  fs::create_symlink(outside, SettingsFile());
  StartPad();
  QVERIFY(TitleTip().contains(
      QStringLiteral("lekhora.conf is a link to a file outside its folder; it is left as it is")));
  QTest::mouseClick(&Child<QLabel>(Type(), "imgFont"), Qt::LeftButton);
  ExitPad();
  QVERIFY(fs::is_symlink(SettingsFile()));
  QCOMPARE(Read(outside), QByteArray("mine\n"));
  fs::remove(outside);
}

void UserDataTest::theFilesAreTheUsersAloneWhateverTheUmask() {
  const mode_t saved = ::umask(022);
  StartPad();
  QTest::keyClicks(&Box(), QStringLiteral("k"));
  QTest::mouseClick(&Child<QLabel>(Type(), "imgFont"), Qt::LeftButton);
  ExitPad();
  ::umask(saved);
  const auto mode = [](const fs::path& path) {
    return static_cast<int>(fs::status(path).permissions() & fs::perms::all);
  };
  QCOMPARE(mode(g_home->DataFolder()), 0700);
  QCOMPARE(mode(g_home->ConfigFolder()), 0700);
  for (const fs::path& file : {TextFile(), WordsFile(), SettingsFile()}) QCOMPARE(mode(file), 0600);
  // A mode the user gave a file stays.
  fs::permissions(TextFile(),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  StartPad();
  QTest::keyClicks(&Box(), QStringLiteral("k"));
  ExitPad();
  QCOMPARE(mode(TextFile()), 0640);
}

void UserDataTest::anotherPadHoldingTheDataFolderMeansNoSavedText() {
  Write(TextFile(), "theirs\n");
  {
    const FolderLock other(g_home->DataFolder());
    QCOMPARE(other.State(), FolderLockState::Held);
    StartPad();
    QVERIFY(TitleTip().contains(QStringLiteral("Another Lekhora is running")));
    QTest::keyClicks(&Box(), QStringLiteral("k"));
    ExitPad();
    QCOMPARE(Read(TextFile()), QByteArray("theirs\n"));
  }
  // Once it has ended, the text is saved again.
  StartPad();
  QVERIFY(TitleTip().isEmpty());
  QTest::keyClicks(&Box(), QStringLiteral("k"));
  ExitPad();
  QCOMPARE(Read(TextFile()), Q(u"theirs\u0915\n").toUtf8());
}

int main(int argc, char** argv) {
  UserDataTest test;
  return RunPadTests(argc, argv, {&test}, [](const PrivateUserFolders& home) { g_home = &home; });
}

#include "user_data_test.moc"
