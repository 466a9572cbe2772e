// The toolbar's clipboard commands, with a clipboard the test controls.

#include "tests/ui/windows/fixture.h"

using namespace lekhora;
using namespace lekhora::testing;

namespace lekhora::windows_test {
namespace {
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

}  // namespace

std::unique_ptr<QObject> ClipboardTests() {
  return std::make_unique<ClipboardTest>();
}

}  // namespace lekhora::windows_test

#include "clipboard_test.moc"
