// A pad whose folder holds no word list still comes up and types.

#include "tests/ui/windows/fixture.h"

using namespace lekhora;
using namespace lekhora::testing;

namespace lekhora::windows_test {
namespace {
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

}  // namespace

std::unique_ptr<QObject> MissingListTests() {
  return std::make_unique<MissingListTest>();
}

}  // namespace lekhora::windows_test

#include "missing_list_test.moc"
