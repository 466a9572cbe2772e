#include "ui/kit/qt_text_box.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace lekhora {
namespace {

// The document holds paragraph separators where the text has line breaks;
// the text box model speaks of the plain text.
QString PlainOf(QString text) {
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  return text;
}

}  // namespace

int QtTextBox::Length() const {
  // The document ends with one paragraph separator that is not text.
  return std::max(0, edit_.document()->characterCount() - 1);
}

CaretPlace QtTextBox::Place() const {
  const QTextCursor cursor = edit_.textCursor();
  const int start = cursor.selectionStart();
  char16_t before = 0;
  if (start > 0) {
    const QChar unit = edit_.document()->characterAt(start - 1);
    const bool lineBreak = unit == QChar::ParagraphSeparator || unit == QChar::LineSeparator;
    before = lineBreak ? u'\n' : unit.unicode();
  }
  return {start, cursor.selectionEnd() - start, Length(), before};
}

std::u16string QtTextBox::Text() const {
  return edit_.toPlainText().toStdU16String();
}

std::u16string QtTextBox::TextBefore(int pos, int most) const {
  const int end = std::clamp(pos, 0, Length());
  const int start = end - std::clamp(most, 0, end);
  std::u16string text(static_cast<std::size_t>(end - start), u'\0');
  // Unit by unit from the document, which never copies the whole text.
  for (int i = start; i < end; ++i) {
    const QChar unit = edit_.document()->characterAt(i);
    const bool lineBreak = unit == QChar::ParagraphSeparator || unit == QChar::LineSeparator;
    text[static_cast<std::size_t>(i - start)] = lineBreak ? u'\n' : unit.unicode();
  }
  return text;
}

int QtTextBox::SelStart() const {
  return edit_.textCursor().selectionStart();
}

int QtTextBox::SelLength() const {
  const QTextCursor cursor = edit_.textCursor();
  return cursor.selectionEnd() - cursor.selectionStart();
}

std::u16string QtTextBox::SelText() const {
  return PlainOf(edit_.textCursor().selectedText()).toStdU16String();
}

bool QtTextBox::SetSelStart(int pos) {
  if (pos < 0) return false;
  QTextCursor cursor = edit_.textCursor();
  // Positions are code units; setPosition never steps by grapheme clusters.
  cursor.setPosition(std::min(pos, Length()));
  edit_.setTextCursor(cursor);
  return true;
}

bool QtTextBox::SetSelLength(int length) {
  if (length < 0) return false;
  QTextCursor cursor = edit_.textCursor();
  const int start = cursor.selectionStart();
  const int end =
      static_cast<int>(std::min<long long>(static_cast<long long>(start) + length, Length()));
  cursor.setPosition(start);
  cursor.setPosition(end, QTextCursor::KeepAnchor);
  edit_.setTextCursor(cursor);
  return true;
}

void QtTextBox::SetSelText(std::u16string_view text) {
  QTextCursor cursor = edit_.textCursor();
  cursor.insertText(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
  edit_.setTextCursor(cursor);
}

}  // namespace lekhora
