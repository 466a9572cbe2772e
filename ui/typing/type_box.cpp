#include "ui/typing/type_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextDocument>

#include "ui/typing/key_mapping.h"
#include "ui/typing/key_sink.h"

namespace lekhora {

namespace {

// Qt breaks a line inside a word only after it has looked for a word
// boundary along the whole rest of the word, so a paragraph with a very
// long run without spaces (a pasted text without any) costs time in the
// square of that run on every key. Past this run the box breaks lines
// anywhere, which costs time in its length only.
constexpr int kLongestWrappedWord = 1000;

bool HasLongRunWithoutBreak(const QTextDocument& document) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block.length() <= kLongestWrappedWord) continue;
    const QString text = block.text();
    int run = 0;
    for (QChar c : text) {
      run = c.isSpace() ? 0 : run + 1;
      if (run > kLongestWrappedWord) return true;
    }
  }
  return false;
}

}  // namespace

TypeBox::TypeBox(QWidget* parent) : QPlainTextEdit(parent) {
  // An input method would hand over composed text instead of keys.
  setAttribute(Qt::WA_InputMethodEnabled, false);
  connect(document(), &QTextDocument::contentsChanged, this, &TypeBox::ChooseWrapMode);
}

void TypeBox::ChooseWrapMode() {
  const QTextOption::WrapMode mode = HasLongRunWithoutBreak(*document())
                                         ? QTextOption::WrapAnywhere
                                         : QTextOption::WrapAtWordBoundaryOrAnywhere;
  if (wordWrapMode() != mode) setWordWrapMode(mode);
}

void TypeBox::keyPressEvent(QKeyEvent* event) {
  if (sink_ == nullptr) {
    QPlainTextEdit::keyPressEvent(event);
    return;
  }
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  std::int16_t keyCode = VirtualKeyCode(event->key(), modifiers);
  if (keyCode != 0) {
    sink_->KeyDown(keyCode, ShiftMask(modifiers));
    if (keyCode == 0) {
      event->accept();
      return;
    }
  }
  const std::int16_t typed = KeyAsciiCode(event->key(), modifiers, event->text());
  if (typed != 0) {
    std::int16_t keyAscii = typed;
    sink_->KeyPress(keyAscii);
    if (keyAscii == 0) {
      event->accept();
      return;
    }
    if (keyAscii != typed && keyAscii > 32) {
      // The handler turned the key into another character: that one is typed.
      insertPlainText(QString(QChar(static_cast<char16_t>(keyAscii))));
      event->accept();
      return;
    }
  }
  QPlainTextEdit::keyPressEvent(event);
}

void TypeBox::keyReleaseEvent(QKeyEvent* event) {
  if (sink_ == nullptr || event->isAutoRepeat()) {
    QPlainTextEdit::keyReleaseEvent(event);
    return;
  }
  std::int16_t keyCode = VirtualKeyCode(event->key(), event->modifiers());
  if (keyCode != 0) {
    sink_->KeyUp(keyCode, ShiftMask(event->modifiers()));
    if (keyCode == 0) {
      event->accept();
      return;
    }
  }
  QPlainTextEdit::keyReleaseEvent(event);
}

void TypeBox::mouseReleaseEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseReleaseEvent(event);
  if (sink_ != nullptr) sink_->MouseUp();
}

}  // namespace lekhora
