// The pad's "Most used words first" and learning, through the real start-up
// and the tray's Exit: the popup's rows and the Shift keys in either order,
// the settings kept in lekhora.conf, the words a word break ends learned into
// the history file (or not, with learning off), forgetting a word from the
// popup and clearing the history. The test has a home of its own (HOME and
// the XDG folders), so the history is a file of its own too.

#include <QLabel>
#include <QTest>
#include <algorithm>
#include <filesystem>

#include "suggest/candidates.h"
#include "tests/support/pad_session.h"
#include "tests/support/pad_test_main.h"
#include "tests/support/qt_test_support.h"
#include "tests/support/user_folders.h"
#include "ui/typing/frm_type.h"
#include "ui/typing/frm_words.h"
#include "ui/typing/type_box.h"
#include "ui/typing/typing_core.h"
#include "userdata/pad_files.h"
#include "userdata/word_history.h"
#include "userdata/word_ranking.h"

using namespace lekhora;
using namespace lekhora::testing;
namespace fs = std::filesystem;

namespace {

const PrivateUserFolders* g_home = nullptr;
const QStringList& g_entries = LastMenu().Entries;

constexpr std::u16string_view kKa = u"\u0915";                 // k
constexpr std::u16string_view kKam = u"\u0915\u092E";          // km
constexpr std::u16string_view kKamal = u"\u0915\u092E\u0932";  // kml

FrmType& Type() {
  return TypeWindow();
}
TypeBox& Box() {
  return Type().txtType();
}
FrmWords& Popup() {
  return *Type().Popup();
}

fs::path HistoryFile() {
  return g_home->DataFolder() / kHistoryFile;
}
fs::path SettingsFile() {
  return g_home->ConfigFolder() / kSettingsFile;
}

// Every start also has the ranking ready.
void StartRankingPad() {
  StartPad();
  QVERIFY(Type().Ranking() != nullptr);
}

void ForgetEverything() {
  lekhora::testing::ForgetEverything(*g_home);
}

void ChooseInTextMenu(const QString& name) {
  ChooseInNextMenu(name);
  emit Box().customContextMenuRequested(QPoint(5, 5));
}

QStringList TipRows() {
  return Popup().lblTip()->text().split(QLatin1Char('\n'));
}
QString MainCaption() {
  return Popup().lblMain()->text();
}

// The candidates for prefix best first, as the pad's ranking orders them now.
QStringList Ranked(std::u16string_view prefix, int count = 9) {
  CandidateModel model(CandidateModel::Scope::Matches);
  model.AddSource(Type().Lists());
  model.SetRanking(&Type().Ranking()->Ranks());
  model.Search(prefix);
  QStringList words;
  for (const std::u16string_view word : model.Page(count).Words) words << Q(word);
  return words;
}

// The word list around its first word beginning with prefix, as the popup
// shows it in the list's order.
QStringList ListRows(std::u16string_view prefix) {
  const WordLists& lists = Type().Lists();
  const int first = FindPrefix(lists, prefix).First;
  QStringList rows;
  for (int k = first - 2; k <= first + 8; ++k) rows << Q(lists.WordList[k]);
  return rows;
}

void TypeWord(const QString& keys) {
  QTest::keyClicks(&Box(), keys);
  QTest::keyClick(&Box(), Qt::Key_Space);
}

void ClearBox() {
  Box().clear();
  QTest::mouseClick(Box().viewport(), Qt::LeftButton);
}

std::int64_t CountIn(const WordHistory& history, std::u16string_view word) {
  const HistoryEntry* entry = history.Snapshot().Word(word);
  return entry != nullptr ? entry->Count : 0;
}
// What the history file holds for word, read as another process reads it.
std::int64_t CountInFile(std::u16string_view word) {
  Type().FlushHistory();
  const WordHistory file(HistoryFile());
  return CountIn(file, word);
}
std::int64_t CountLearned(std::u16string_view word) {
  return CountIn(Type().Ranking()->History(), word);
}

}  // namespace

class RankedSuggestionsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ForgetEverything(); }
  void cleanupTestCase() { ForgetEverything(); }

  void theListsOrderIsTheDefaultAndTheSettingRanksThePopup();
  void theSettingsAreKeptInLekhoraConf();
  void eachWordABreakEndsIsLearnedAndMovesUp();
  void nothingIsLearnedWithLearningOff();
  void aWordIsForgottenFromThePopupAndTheHistoryCleared();
  void aWordTheUserAddsIsOfferedForLatinLetters();
};

void RankedSuggestionsTest::theListsOrderIsTheDefaultAndTheSettingRanksThePopup() {
  StartRankingPad();
  // Off: the list around the first match, marked under lblMain.
  QVERIFY(!Type().MostUsedFirst());
  QTest::keyClicks(&Box(), QStringLiteral("k"));
  const QStringList list = ListRows(kKa);
  QCOMPARE(TipRows(), list);
  QCOMPARE(MainCaption(), QLatin1Char(' ') + list[2]);
  QTest::keyClick(&Box(), Qt::Key_Down, Qt::ShiftModifier);
  QCOMPARE(MainCaption(), QLatin1Char(' ') + list[3]);
  QTest::keyClick(&Box(), Qt::Key_Up, Qt::ShiftModifier);
  QTest::keyClick(&Box(), Qt::Key_Up, Qt::ShiftModifier);
  QCOMPARE(MainCaption(), QLatin1Char(' ') + list[1]);

  // On, from the menu, with the word half typed: the ranked words, best
  // first and marked, at once.
  ChooseInTextMenu(QStringLiteral("mnuMostUsed"));
  QVERIFY(g_entries.contains(QStringLiteral("mnuMostUsed")));
  QCOMPARE(LastMenu().Checked, QStringList{QStringLiteral("mnuLearnWords")});
  QVERIFY(Type().MostUsedFirst());
  const QStringList ranked = Ranked(kKa);
  QCOMPARE(ranked.size(), 9);
  QVERIFY2(ranked.first() != list[2], "the ranking puts the list's first word first");
  QCOMPARE(TipRows(), QStringList({QString(), QString()}) + ranked);
  QCOMPARE(MainCaption(), QLatin1Char(' ') + ranked[0]);
  // The Shift keys move along the ranked words and never leave them.
  QTest::keyClick(&Box(), Qt::Key_Up, Qt::ShiftModifier);
  QCOMPARE(MainCaption(), QLatin1Char(' ') + ranked[0]);
  QTest::keyClick(&Box(), Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(&Box(), Qt::Key_Down, Qt::ShiftModifier);
  QCOMPARE(MainCaption(), QLatin1Char(' ') + ranked[2]);
  QCOMPARE(TipRows().mid(0, 3), (QStringList{ranked[0], ranked[1], ranked[2]}));
  QTest::keyClick(&Box(), Qt::Key_Up, Qt::ShiftModifier);
  QCOMPARE(MainCaption(), QLatin1Char(' ') + ranked[1]);
  // Accept takes the marked word.
  QTest::keyClick(&Box(), Qt::Key_Space, Qt::ShiftModifier);
  QCOMPARE(Box().toPlainText(), ranked[1]);

  // The next prefix starts at the best word again; Shift+Right accepts too.
  QTest::keyClick(&Box(), Qt::Key_Space);
  QTest::keyClicks(&Box(), QStringLiteral("km"));
  const QStringList kam = Ranked(kKam);
  QCOMPARE(MainCaption(), QLatin1Char(' ') + kam[0]);
  QTest::keyClick(&Box(), Qt::Key_Right, Qt::ShiftModifier);
  QCOMPARE(Box().toPlainText(), ranked[1] + QLatin1Char(' ') + kam[0]);

  // Off again: the list's order as before.
  ChooseInTextMenu(QStringLiteral("mnuMostUsed"));
  QCOMPARE(LastMenu().Checked, (QStringList{"mnuMostUsed", "mnuLearnWords"}));
  QVERIFY(!Type().MostUsedFirst());
  ClearBox();
  QTest::keyClicks(&Box(), QStringLiteral("k"));
  QCOMPARE(TipRows(), list);
  QTest::keyClick(&Box(), Qt::Key_Space, Qt::ShiftModifier);
  QCOMPARE(Box().toPlainText(), list[2]);
  ExitPad();
}

void RankedSuggestionsTest::theSettingsAreKeptInLekhoraConf() {
  StartRankingPad();
  ExitPad();
  QVERIFY(Read(SettingsFile()).contains("[suggestions]\nlearn=on\norder=list\n"));

  StartRankingPad();
  ChooseInTextMenu(QStringLiteral("mnuMostUsed"));
  ChooseInTextMenu(QStringLiteral("mnuLearnWords"));
  ExitPad();
  QVERIFY(Read(SettingsFile()).contains("[suggestions]\nlearn=off\norder=used\n"));

  // The input method's menu switches learning on while the pad runs: the
  // pad's later writes keep that and the pad follows it.
  StartRankingPad();
  QVERIFY(!Type().LearnWords());
  Write(SettingsFile(), Read(SettingsFile()).replace("learn=off", "learn=on"));
  ChooseInTextMenu(QStringLiteral("mnuMostUsed"));
  ExitPad();
  QVERIFY(Read(SettingsFile()).contains("[suggestions]\nlearn=on\norder=list\n"));
  StartRankingPad();
  QVERIFY(Type().LearnWords());
  ChooseInTextMenu(QStringLiteral("mnuMostUsed"));
  ChooseInTextMenu(QStringLiteral("mnuLearnWords"));
  ExitPad();
  QVERIFY(Read(SettingsFile()).contains("[suggestions]\nlearn=off\norder=used\n"));

  StartRankingPad();
  QVERIFY(Type().MostUsedFirst());
  QVERIFY(!Type().LearnWords());
  QVERIFY(!Type().Ranking()->Learning());
  QTest::keyClicks(&Box(), QStringLiteral("k"));
  QCOMPARE(MainCaption(), QLatin1Char(' ') + Ranked(kKa)[0]);
  ExitPad();

  // An order the pad does not know is the list's; learning stays on unless
  // the file says off.
  Write(SettingsFile(), "[suggestions]\norder=Used\nlearn=no\n");
  StartRankingPad();
  QVERIFY(!Type().MostUsedFirst());
  QVERIFY(Type().LearnWords());
  ExitPad();
}

void RankedSuggestionsTest::eachWordABreakEndsIsLearnedAndMovesUp() {
  StartRankingPad();
  QCOMPARE(Type().Ranking()->History().File(), HistoryFile());
  // Typed and ended by a space, after the word before it.
  TypeWord(QStringLiteral("km"));
  TypeWord(QStringLiteral("kml"));
  QCOMPARE(CountLearned(kKam), 1);
  QCOMPARE(CountLearned(kKamal), 1);
  const HistoryEntry* pair = Type().Ranking()->History().Snapshot().Pair(kKam, kKamal);
  QVERIFY(pair != nullptr && pair->Count == 1);
  // Escape ends the word too, but a second one ends nothing new.
  QTest::keyClicks(&Box(), QStringLiteral("kml"));
  QTest::keyClick(&Box(), Qt::Key_Escape);
  QTest::keyClick(&Box(), Qt::Key_Escape);
  QCOMPARE(CountLearned(kKamal), 2);
  // Written soon after, into the file the input method reads.
  QTRY_COMPARE(CountIn(WordHistory(HistoryFile()), kKamal), 2);

  // With the setting on, a word low among the ranked ones moves up once it
  // has been written twice: put in and ended by a space, then accepted and
  // ended by Enter.
  ChooseInTextMenu(QStringLiteral("mnuMostUsed"));
  ClearBox();
  const QStringList before = Ranked(kKa, 90);
  QVERIFY(before.size() > 9);
  // The last: it cannot be seen without scrolling past the first page.
  const auto low = before.size() - 1;
  const QString word = before[low];
  Box().insertPlainText(word);
  QTest::keyClick(&Box(), Qt::Key_Space);
  QCOMPARE(CountLearned(word.toStdU16String()), 1);
  QTest::keyClicks(&Box(), QStringLiteral("k"));
  Suggestions& suggestions = Type().Core().Suggest();
  for (int i = 0; i < 90 && suggestions.CurrentWord() != word.toStdU16String(); ++i)
    QTest::keyClick(&Box(), Qt::Key_Down, Qt::ShiftModifier);
  QCOMPARE(MainCaption(), QLatin1Char(' ') + word);
  QTest::keyClick(&Box(), Qt::Key_Space, Qt::ShiftModifier);
  QTest::keyClick(&Box(), Qt::Key_Return);
  QCOMPARE(CountLearned(word.toStdU16String()), 2);
  QTest::keyClicks(&Box(), QStringLiteral("k"));
  const int now = static_cast<int>(Ranked(kKa, 90).indexOf(word));
  QVERIFY2(now >= 0 && now < low, qPrintable(QString::number(now)));
  QCOMPARE(TipRows().mid(2), Ranked(kKa));
  QCOMPARE(CountInFile(word.toStdU16String()), 2);

  // What another process (the input method) learned meanwhile is read when
  // the pad's window becomes active.
  constexpr std::u16string_view kNamaste = u"\u0928\u092E\u0938\u094D\u0924\u0947";
  {
    WordHistory other(HistoryFile());
    QVERIFY(other.Record(u"", kNamaste));
    QCOMPARE(other.Flush(), FlushResult::Written);
  }
  QCOMPARE(CountLearned(kNamaste), 0);
  QWidget elsewhere;
  elsewhere.show();
  elsewhere.activateWindow();
  QTRY_VERIFY(elsewhere.isActiveWindow());
  Type().activateWindow();
  QTRY_COMPARE(CountLearned(kNamaste), 1);
  ExitPad();

  // Kept across starts.
  StartRankingPad();
  QCOMPARE(CountLearned(kKamal), 2);
  ExitPad();
}

void RankedSuggestionsTest::nothingIsLearnedWithLearningOff() {
  StartRankingPad();
  ChooseInTextMenu(QStringLiteral("mnuLearnWords"));
  QVERIFY(!Type().LearnWords());
  TypeWord(QStringLiteral("km"));
  TypeWord(QStringLiteral("kml"));
  QCOMPARE(CountLearned(kKam), 0);
  QCOMPARE(CountLearned(kKamal), 0);
  QCOMPARE(CountInFile(kKamal), 0);
  // On again, the next word is learned.
  ChooseInTextMenu(QStringLiteral("mnuLearnWords"));
  TypeWord(QStringLiteral("kml"));
  QCOMPARE(CountLearned(kKamal), 1);
  // Exit writes it, before the timer would.
  QVERIFY(Type().HistoryTimer().isActive());
  ExitPad();
  QCOMPARE(CountIn(WordHistory(HistoryFile()), kKamal), 1);
}

// IntelligentRoman follows the user's word list: a spelling the model alone
// does not offer for the letters comes first once the user adds it.
void RankedSuggestionsTest::aWordTheUserAddsIsOfferedForLatinLetters() {
  StartRankingPad();
  const QString added = QStringLiteral("लेखौरा");
  Type().SetLayout(u"IntelligentRoman");
  QTest::keyClicks(&Box(), QStringLiteral("lekhora"));
  QVERIFY(!TipRows().isEmpty());
  QVERIFY(!Popup().lblTip()->text().contains(added));
  QTest::keyClick(&Box(), Qt::Key_Escape);
  Box().setPlainText(added);
  Box().moveCursor(QTextCursor::End);
  ChooseInTextMenu(QStringLiteral("mnuAddWord"));
  Box().clear();
  QTest::keyClicks(&Box(), QStringLiteral("lekhora"));
  QCOMPARE(MainCaption().trimmed(), added);
  QTest::keyClicks(&Box(), QStringLiteral(" "));
  QCOMPARE(Box().toPlainText(), added + QLatin1Char(' '));
  ExitPad();
}

void RankedSuggestionsTest::aWordIsForgottenFromThePopupAndTheHistoryCleared() {
  StartRankingPad();
  ChooseInTextMenu(QStringLiteral("mnuMostUsed"));
  TypeWord(QStringLiteral("km"));
  TypeWord(QStringLiteral("kml"));
  QTest::keyClicks(&Box(), QStringLiteral("km"));
  // A right-click on a row offers to forget that row's word.
  const qsizetype row = TipRows().indexOf(Q(kKamal));
  QVERIFY(row >= 2);
  const int y =
      Popup().lblTip()->contentsRect().top() + static_cast<int>(row) * Popup().RowHeight() + 1;
  ChooseInNextMenu(QStringLiteral("mnuForgetWord"));
  emit Popup().lblTip()->customContextMenuRequested(QPoint(5, y));
  QCOMPARE(g_entries, QStringList{QStringLiteral("mnuForgetWord")});
  QCOMPARE(CountLearned(kKamal), 0);
  QCOMPARE(CountLearned(kKam), 1);
  QCOMPARE(CountInFile(kKamal), 0);
  QVERIFY(Type().StatusText().contains(Q(kKamal)));
  // On lblMain, the marked word.
  QTest::keyClick(&Box(), Qt::Key_Down, Qt::ShiftModifier);
  const QString marked = MainCaption().mid(1);
  ChooseInNextMenu(QStringLiteral("mnuForgetWord"));
  emit Popup().lblMain()->customContextMenuRequested(QPoint(5, 5));
  QVERIFY(Type().StatusText().contains(marked));

  // Clearing asks first.
  QTest::keyClick(&Box(), Qt::Key_Space);
  TypeWord(QStringLiteral("kml"));
  QCOMPARE(CountLearned(kKamal), 1);
  AnswerNextQuestion("btnCancel");
  ChooseInTextMenu(QStringLiteral("mnuClearHistory"));
  QCOMPARE(CountLearned(kKamal), 1);
  AnswerNextQuestion("btnClear");
  ChooseInTextMenu(QStringLiteral("mnuClearHistory"));
  QCOMPARE(CountLearned(kKamal), 0);
  QCOMPARE(CountLearned(kKam), 0);
  QCOMPARE(CountInFile(kKamal), 0);
  ExitPad();
}

int main(int argc, char** argv) {
  RankedSuggestionsTest test;
  return RunPadTests(argc, argv, {&test}, [](const PrivateUserFolders& home) { g_home = &home; });
}

#include "ranked_suggestions_test.moc"
